# mivesk_enable_warnings(<target>...)
#
# The project's warning level for each target, spelled for the compiler in
# use, so that a Windows build with MSVC gets the same care as GCC and Clang.
function(mivesk_enable_warnings)
    foreach(target IN LISTS ARGN)
        if(MSVC)
            target_compile_options(${target} PRIVATE /W4 /permissive-)
        elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
            target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
        endif()
    endforeach()
endfunction()

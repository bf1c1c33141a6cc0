# Debian's hardening flags for every target: stack protector, fortified
# libc calls, a read-only relocation table bound at start-up. They come from
# dpkg-buildflags when it is installed, so the build follows the
# distribution's own choice; elsewhere nothing is added.
#
# The flags that set optimisation, debug information or path mapping are
# left out: the build type decides those. Debug builds get none of the
# flags, since _FORTIFY_SOURCE needs optimisation.
find_program(MIVESK_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT MIVESK_DPKG_BUILDFLAGS)
    return()
endif()

function(_mivesk_buildflags name out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${MIVESK_DPKG_BUILDFLAGS} --get ${name}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        set(flags "")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-g|^-O|^-ffile-prefix-map=|^-fdebug-prefix-map=")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

_mivesk_buildflags(CPPFLAGS cppflags)
_mivesk_buildflags(CXXFLAGS cxxflags)
_mivesk_buildflags(LDFLAGS ldflags)
message(STATUS "Hardening (not in Debug builds): ${cppflags} ${cxxflags} ${ldflags}")

# One generator expression per flag; $<COMMA> keeps -Wl,-z,relro whole.
foreach(kind compile link)
    if(kind STREQUAL compile)
        set(flags ${cppflags} ${cxxflags})
    else()
        set(flags ${ldflags})
    endif()
    foreach(flag IN LISTS flags)
        string(REPLACE "," "$<COMMA>" flag "${flag}")
        cmake_language(CALL add_${kind}_options "$<$<NOT:$<CONFIG:Debug>>:${flag}>")
    endforeach()
endforeach()

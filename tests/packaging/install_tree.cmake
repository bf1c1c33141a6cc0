# Installs the build into a fresh prefix, so that a file the install rules
# no longer produce cannot linger from an earlier run.
#
# cmake -DBUILD_DIR=<build> -DPREFIX=<dir> [-DCONFIG=<cfg>] -P install_tree.cmake

file(REMOVE_RECURSE ${PREFIX})
set(config_args "")
if(CONFIG)
    set(config_args --config ${CONFIG})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                        ${config_args}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install into ${PREFIX} failed (${rc})")
endif()

# Builds the Debian package with cpack into a fresh folder, so that lintian
# never judges a package left over from an earlier run.
#
# cmake -DCPACK=<cpack> -DCONFIG_FILE=<CPackConfig.cmake> -DOUT_DIR=<dir>
#       [-DCONFIG=<cfg>] -P build_deb.cmake

file(REMOVE_RECURSE ${OUT_DIR})
set(config_args "")
if(CONFIG)
    set(config_args -C ${CONFIG})
endif()
execute_process(COMMAND ${CPACK} -G DEB --config ${CONFIG_FILE} -B ${OUT_DIR} ${config_args}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc})")
endif()
file(GLOB packages ${OUT_DIR}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack wrote ${count} packages into ${OUT_DIR}, not one")
endif()

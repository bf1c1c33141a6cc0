# Runs clang-tidy, with the checks of the committed .clang-tidy, over every
# translation unit of the program's own folders that the build's
# compile_commands.json lists (subfolders included), and fails on the first finding.
# CLANG_TIDY: the clang-tidy program. BUILD_DIR: the build tree.
# SOURCE_DIR: the source tree. FOLDERS: the folders to check, comma-separated.
string(REPLACE "," ";" FOLDERS "${FOLDERS}")
file(READ "${BUILD_DIR}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(files "")
foreach(i RANGE ${last})
    string(JSON file GET "${commands}" ${i} file)
    foreach(folder IN LISTS FOLDERS)
        if(file MATCHES "^${SOURCE_DIR}/${folder}/.+\\.cpp$")
            list(APPEND files "${file}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES files)
list(LENGTH files checked)
if(checked EQUAL 0)
    message(FATAL_ERROR "No source files of ${FOLDERS} in ${BUILD_DIR}/compile_commands.json")
endif()
execute_process(COMMAND "${CLANG_TIDY}" -p "${BUILD_DIR}" --quiet ${files}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang-tidy found problems in ${checked} files")
endif()
message(STATUS "clang-tidy: ${checked} files clean")

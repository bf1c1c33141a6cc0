# Compiles the configured Windows resource script and checks what ended up in
# the compiled .res (decompiled back to text by windres), not the template.
#
# cmake -DWINDRES=<windres> [-DCPP=<cpp>] -DRC_FILE=<Mivesk.rc>
#       -DWORK_DIR=<dir> -DVERSION=<major.minor.patch> -P check_version_resource.cmake

foreach(var WINDRES RC_FILE WORK_DIR VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

set(errors "")
macro(fail what)
    string(APPEND errors "\n  ${what}")
endmacro()
# Notes `what` as a failure unless the variable `found` holds `expected`.
macro(expect_equal found expected what)
    if(NOT ${found} STREQUAL "${expected}")
        fail("${what} (found: ${${found}})")
    endif()
endmacro()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(res ${WORK_DIR}/Mivesk.res)

# windres preprocesses with the cross gcc by default; without it any C
# preprocessor does, since the script includes no Windows headers.
set(preprocessor_args "")
if(CPP)
    set(preprocessor_args --preprocessor=${CPP} --preprocessor-arg=-xc
                          --preprocessor-arg=-DRC_INVOKED)
endif()
execute_process(
    COMMAND ${WINDRES} ${preprocessor_args} -c 65001 -i ${RC_FILE} -O res -o ${res}
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "windres could not compile ${RC_FILE}:\n${out}${err}")
endif()

execute_process(COMMAND ${WINDRES} -i ${res} -O rc
                RESULT_VARIABLE rc OUTPUT_VARIABLE decompiled ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "windres could not read back ${res}:\n${err}")
endif()
file(WRITE ${WORK_DIR}/decompiled.rc "${decompiled}")

# Expected values from the project version: numbers major,minor,patch,0 and
# the text "<major>.<minor as two digits>".
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
math(EXPR minor_padded "100 + ${minor}")
string(SUBSTRING "${minor_padded}" 1 2 minor_padded)
set(version_numbers "${major}, ${minor}, ${patch}, 0")
set(version_text "${major}.${minor_padded}")
message(STATUS "expecting version ${version_numbers} and \"${version_text}\"")

# FILETYPE 0x1: an application.
foreach(line "FILEVERSION ${version_numbers}" "PRODUCTVERSION ${version_numbers}"
             "FILETYPE 0x1")
    if(NOT decompiled MATCHES "\n *${line}\n")
        fail("${line}")
    endif()
endforeach()

# Exactly one string table, for Japanese (0x0411) in Unicode (0x04B0).
string(REGEX MATCHALL "BLOCK \"[0-9A-Fa-f]+\"" tables "${decompiled}")
string(TOUPPER "${tables}" tables)
expect_equal(tables "BLOCK \"041104B0\"" "one string table, block 041104B0")

foreach(key_value "FileVersion=${version_text}" "ProductVersion=${version_text}"
                  "ProductName=Mivesk" "InternalName=Mivesk"
                  "OriginalFilename=Mivesk.exe")
    string(REPLACE "=" ";" key_value "${key_value}")
    list(GET key_value 0 key)
    list(GET key_value 1 value)
    string(REGEX MATCHALL "VALUE \"${key}\", \"[^\"]*\"" found "${decompiled}")
    expect_equal(found "VALUE \"${key}\", \"${value}\"" "${key} = \"${value}\" once")
endforeach()

string(REGEX MATCH "VALUE \"Translation\"[^\n]*" translation "${decompiled}")
string(TOLOWER "${translation}" translation)
if(NOT translation MATCHES "^value \"translation\", 0x0*411, (1200|0x0*4b0)$")
    fail("translation 0x411, 1200 (found: ${translation})")
endif()

# The version data is Japanese too. windres writes a LANGUAGE line only where
# the language changes, so the last one before the version data counts.
string(FIND "${decompiled}" "1 VERSIONINFO" at_version)
string(SUBSTRING "${decompiled}" 0 ${at_version} before_version)
string(REGEX MATCHALL "LANGUAGE [0-9]+, [0-9]+" languages "${before_version}")
list(POP_BACK languages version_language)
expect_equal(version_language "LANGUAGE 17, 1" "version data in language 17, 1 (Japanese)")

# The application icon is the only icon: one icon group, a 32 x 32 image in
# it, and exactly the icon images that group lists.
string(REGEX MATCHALL "RT_GROUP_ICON" groups "${decompiled}")
list(LENGTH groups group_count)
expect_equal(group_count 1 "exactly one icon group")
string(REGEX MATCHALL "RT_ICON" images "${decompiled}")
list(LENGTH images image_count)
string(REGEX MATCHALL "Has [0-9]+ elements" listed "${decompiled}")
expect_equal(listed "Has ${image_count} elements"
             "${image_count} icon images, as listed by the group")
string(FIND "${decompiled}" "\"\\040\\040" at_32x32)
if(at_32x32 LESS 0)
    fail("a 32 x 32 image in the icon group")
endif()

if(errors)
    message(FATAL_ERROR "The compiled version resource is wrong "
                        "(see ${WORK_DIR}/decompiled.rc):${errors}")
endif()
message(STATUS "version resource OK")

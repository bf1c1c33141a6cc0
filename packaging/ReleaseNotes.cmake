# mivesk_read_changelog(<CHANGELOG> <maintainer>)
#
# Reads the project's CHANGELOG (releases newest first, each a line
# "<version> (<YYYY-MM-DD>)" followed by "- " items that may continue on
# indented lines) and sets, in the caller's scope:
#   MIVESK_RELEASE_VERSION, MIVESK_RELEASE_DATE  the newest release
#   MIVESK_DEBIAN_CHANGELOG   the whole file in Debian changelog format
#   MIVESK_METAINFO_RELEASES  the <release> elements of the AppStream file
# Stops the configuration when the file does not follow that form, so that a
# typo cannot ship an empty changelog.

# Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
function(_mivesk_days_since_epoch year month day out)
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
        math(EXPR month_index "${month} + 9")
    else()
        math(EXPR month_index "${month} - 3")
    endif()
    math(EXPR era "${year} / 400")
    math(EXPR year_of_era "${year} - ${era} * 400")
    math(EXPR day_of_year "(153 * ${month_index} + 2) / 5 + ${day} - 1")
    math(EXPR day_of_era
         "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
    math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
    set(${out} ${days} PARENT_SCOPE)
endfunction()

# "Mon, 07 Dec 2026 00:00:00 +0000" for a date: string(TIMESTAMP) formats
# SOURCE_DATE_EPOCH when it is set, weekday and month names included.
function(_mivesk_rfc2822_date year month day out)
    _mivesk_days_since_epoch(${year} ${month} ${day} days)
    math(EXPR seconds "${days} * 86400")
    set(saved "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} ${seconds})
    string(TIMESTAMP text "%a, %d %b %Y %H:%M:%S +0000" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Words of <text> as lines of at most <width> characters, each line after
# the first starting with <indent>.
function(_mivesk_wrap text first_prefix indent width out)
    string(REGEX REPLACE "[ \t]+" ";" words "${text}")
    set(result "")
    set(line "${first_prefix}")
    set(line_has_word FALSE)
    foreach(word IN LISTS words)
        string(LENGTH "${line} ${word}" length)
        if(line_has_word AND length GREATER width)
            string(APPEND result "${line}\n")
            set(line "${indent}${word}")
        elseif(line_has_word)
            string(APPEND line " ${word}")
        else()
            string(APPEND line "${word}")
        endif()
        set(line_has_word TRUE)
    endforeach()
    string(APPEND result "${line}\n")
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

function(_mivesk_xml_escape text out)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(mivesk_read_changelog file maintainer)
    file(READ ${file} text)
    # Semicolons would split CMake list items; carry them as a unit
    # separator and put them back in the output.
    string(ASCII 31 semicolon)
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")

    set(count 0)
    set(line_number 0)
    foreach(line IN LISTS lines)
        math(EXPR line_number "${line_number} + 1")
        if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
            math(EXPR count "${count} + 1")
            set(version_${count} ${CMAKE_MATCH_1})
            set(year_${count} ${CMAKE_MATCH_2})
            set(month ${CMAKE_MATCH_3})
            set(day ${CMAKE_MATCH_4})
            set(date_${count} "${year_${count}}-${month}-${day}")
            # Month and day without their leading zero, as plain decimal
            # numbers for math().
            string(REGEX REPLACE "^0" "" month_${count} ${month})
            string(REGEX REPLACE "^0" "" day_${count} ${day})
            set(items_${count} 0)
        elseif(count EQUAL 0)
            # The introduction before the first release.
        elseif(line MATCHES "^- (.+)$")
            math(EXPR items_${count} "${items_${count}} + 1")
            set(item_${count}_${items_${count}} "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^  +([^ ].*)$" AND items_${count} GREATER 0)
            string(APPEND item_${count}_${items_${count}} " ${CMAKE_MATCH_1}")
        elseif(NOT line STREQUAL "")
            message(FATAL_ERROR "${file}:${line_number}: neither a release heading "
                                "\"<version> (<YYYY-MM-DD>)\" nor a \"- \" item: ${line}")
        endif()
    endforeach()
    if(count EQUAL 0)
        message(FATAL_ERROR "${file} lists no release")
    endif()

    set(debian "")
    set(metainfo "")
    foreach(i RANGE 1 ${count})
        if(items_${i} EQUAL 0)
            message(FATAL_ERROR "${file}: release ${version_${i}} lists no change")
        endif()
        _mivesk_rfc2822_date(${year_${i}} ${month_${i}} ${day_${i}} stamp)
        if(i GREATER 1)
            string(APPEND debian "\n")
            string(APPEND metainfo "\n")
        endif()
        string(APPEND debian "mivesk (${version_${i}}) unstable; urgency=medium\n\n")
        string(APPEND metainfo
               "    <release version=\"${version_${i}}\" date=\"${date_${i}}\">\n"
               "      <description>\n"
               "        <ul>\n")
        foreach(j RANGE 1 ${items_${i}})
            _mivesk_wrap("${item_${i}_${j}}" "  * " "    " 79 wrapped)
            string(APPEND debian "${wrapped}")
            _mivesk_xml_escape("${item_${i}_${j}}" escaped)
            string(APPEND metainfo "          <li>${escaped}</li>\n")
        endforeach()
        string(APPEND debian "\n -- ${maintainer}  ${stamp}\n")
        string(APPEND metainfo
               "        </ul>\n"
               "      </description>\n"
               "    </release>")
    endforeach()
    string(REPLACE "${semicolon}" ";" debian "${debian}")
    string(REPLACE "${semicolon}" ";" metainfo "${metainfo}")

    set(MIVESK_RELEASE_VERSION ${version_1} PARENT_SCOPE)
    set(MIVESK_RELEASE_DATE ${date_1} PARENT_SCOPE)
    set(MIVESK_DEBIAN_CHANGELOG "${debian}" PARENT_SCOPE)
    set(MIVESK_METAINFO_RELEASES "${metainfo}" PARENT_SCOPE)
endfunction()

# mivesk_read_copyright(<COPYRIGHT>)
#
# Reads the project's COPYRIGHT statement (a title line, a line
# "Copyright <years> <holder>", then the licence text in paragraphs) and
# sets MIVESK_COPYRIGHT (years and holder) and MIVESK_LICENSE_TEXT (the
# text as an indented DEP-5 field body) in the caller's scope.
function(mivesk_read_copyright file)
    file(READ ${file} text)
    if(NOT text MATCHES "\nCopyright ([0-9][-0-9, ]*[0-9] [^\n]+)\n\n(.+)$")
        message(FATAL_ERROR "${file} has no line \"Copyright <years> <holder>\" "
                            "followed by a blank line and the licence text")
    endif()
    set(holder "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" body)
    # DEP-5 continuation lines start with a space; a blank line is " .".
    string(REPLACE "\n\n" "\n.\n" body "${body}")
    string(REPLACE "\n" "\n " body "${body}")
    set(MIVESK_COPYRIGHT "${holder}" PARENT_SCOPE)
    set(MIVESK_LICENSE_TEXT " ${body}" PARENT_SCOPE)
endfunction()

# Every file of the delivery is in the install prefix, where the desktop,
# man and the program look for it.
#
# cmake -DPREFIX=<dir> -DBINDIR=<rel> -DDATADIR=<rel> -DMANDIR=<rel>
#       -DAPP_ID=<id> -DSOURCE_DIR=<repository> -DVERSION=<version>
#       -P check_install_tree.cmake

set(icons ${DATADIR}/icons/hicolor)
set(desktop_entry ${DATADIR}/applications/${APP_ID}.desktop)
set(metainfo_file ${DATADIR}/metainfo/${APP_ID}.metainfo.xml)

# Installed file = the source it must be a copy of ("" for generated ones).
set(expected
    "${BINDIR}/mivesk="
    "${DATADIR}/mivesk/50on_dic.dat=data/50on_dic.dat"
    "${desktop_entry}="
    "${metainfo_file}="
    "${icons}/scalable/apps/${APP_ID}.svg=ui/pictures/icons/app_icon.svg"
    "${DATADIR}/doc/mivesk/copyright="
    "${DATADIR}/doc/mivesk/changelog.gz="
    "${MANDIR}/man1/mivesk.1.gz="
    "${MANDIR}/ja/man1/mivesk.1.gz=")
# The icon at every size a desktop or software centre asks for.
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected
         "${icons}/${size}x${size}/apps/${APP_ID}.png=ui/pictures/icons/app_icon_${size}.png")
endforeach()

set(missing "")
foreach(pair IN LISTS expected)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 installed)
    list(LENGTH pair parts)
    if(NOT EXISTS ${PREFIX}/${installed} OR IS_DIRECTORY ${PREFIX}/${installed})
        list(APPEND missing ${installed})
    elseif(parts EQUAL 2)
        # The installed copy is the real thing, not a placeholder.
        list(GET pair 1 source)
        file(SHA256 ${PREFIX}/${installed} installed_hash)
        file(SHA256 ${SOURCE_DIR}/${source} source_hash)
        if(NOT installed_hash STREQUAL source_hash)
            message(FATAL_ERROR "${installed} differs from ${source}")
        endif()
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "missing under ${PREFIX}:\n  ${missing}")
endif()

# The desktop entry, the metainfo and the running window name one identity:
# the icon and entry that were installed, and Qt's window class, which it
# takes from the application name "Mivesk".
file(READ ${PREFIX}/${desktop_entry} desktop)
foreach(line "Exec=mivesk" "Icon=${APP_ID}" "StartupNotify=true" "StartupWMClass=Mivesk")
    if(NOT desktop MATCHES "\n${line}\n")
        message(FATAL_ERROR "${APP_ID}.desktop lacks the line ${line}")
    endif()
endforeach()
file(READ ${PREFIX}/${metainfo_file} metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    message(FATAL_ERROR "the metainfo does not launch ${APP_ID}.desktop")
endif()
# The release notes come from CHANGELOG, newest release first.
if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${VERSION}\" date=\"[0-9-]+\">[ \n]*<description>[ \n]*<ul>[ \n]*<li>")
    message(FATAL_ERROR "the metainfo's newest release is not ${VERSION} with its notes")
endif()
message(STATUS "install tree under ${PREFIX} is complete")

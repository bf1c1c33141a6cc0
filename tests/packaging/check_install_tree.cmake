# Every file of the delivery is in the install prefix, where the desktop and
# the program look for it.
#
# cmake -DPREFIX=<dir> -DBINDIR=<rel> -DDATADIR=<rel> -DAPP_ID=<id>
#       -DSOURCE_DIR=<repository> -DVERSION=<version> -P check_install_tree.cmake

set(missing "")
foreach(file ${BINDIR}/mivesk
             ${DATADIR}/mivesk/50on_dic.dat
             ${DATADIR}/applications/mivesk.desktop
             ${DATADIR}/icons/hicolor/32x32/apps/mivesk.png
             ${DATADIR}/icons/hicolor/64x64/apps/mivesk.png
             ${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
    if(NOT EXISTS ${PREFIX}/${file} OR IS_DIRECTORY ${PREFIX}/${file})
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "missing under ${PREFIX}:\n  ${missing}")
endif()

# The installed copies are the real things, not empty placeholders.
foreach(pair "${DATADIR}/mivesk/50on_dic.dat=data/50on_dic.dat"
             "${DATADIR}/icons/hicolor/32x32/apps/mivesk.png=ui/pictures/app_icon.png"
             "${DATADIR}/icons/hicolor/64x64/apps/mivesk.png=ui/pictures/app_icon@2x.png")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 installed)
    list(GET pair 1 source)
    file(SHA256 ${PREFIX}/${installed} installed_hash)
    file(SHA256 ${SOURCE_DIR}/${source} source_hash)
    if(NOT installed_hash STREQUAL source_hash)
        message(FATAL_ERROR "${installed} differs from ${source}")
    endif()
endforeach()

# The desktop entry and the metainfo name the icon, program and entry that
# were installed.
file(READ ${PREFIX}/${DATADIR}/applications/mivesk.desktop desktop)
foreach(line "Exec=mivesk" "Icon=mivesk" "Categories=Education;")
    if(NOT desktop MATCHES "\n${line}\n")
        message(FATAL_ERROR "mivesk.desktop lacks the line ${line}")
    endif()
endforeach()
file(READ ${PREFIX}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">mivesk.desktop</launchable>")
    message(FATAL_ERROR "the metainfo does not launch mivesk.desktop")
endif()
if(NOT metainfo MATCHES "<release version=\"${VERSION}\"")
    message(FATAL_ERROR "the metainfo has no release ${VERSION}")
endif()
message(STATUS "install tree under ${PREFIX} is complete")

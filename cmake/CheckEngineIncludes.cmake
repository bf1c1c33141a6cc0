# Fails when a file of the engine includes a header from Qt's GUI or widget
# modules by its folder ("QtGui/...", <QtWidgets/...>).
# ENGINE_DIR: the engine's source folder.
#
# A bare class header such as <QPixmap> needs no check here: the engine is
# compiled with QtCore's include paths alone, so the compiler does not find
# it and the build stops anyway.
file(GLOB files "${ENGINE_DIR}/*.h" "${ENGINE_DIR}/*.cpp")
set(bad "")
foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "[<\"/](QtGui|QtWidgets|QtOpenGL|QtOpenGLWidgets)[/>\"]")
            string(APPEND bad "\n  ${file}: ${line}")
        endif()
    endforeach()
endforeach()
if(bad)
    message(FATAL_ERROR "The engine must not include window headers:${bad}")
endif()

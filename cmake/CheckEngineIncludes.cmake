# Fails when a file of the engine includes a QtGui or QtWidgets header.
# ENGINE_DIR: the engine's source folder.
file(GLOB files "${ENGINE_DIR}/*.h" "${ENGINE_DIR}/*.cpp")
set(bad "")
foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "[<\"/](QtGui|QtWidgets|QtOpenGL|QtOpenGLWidgets)[/>\"]"
           OR line MATCHES "[<\"]Q(Widget|Application|GuiApplication|Pixmap|Image|Painter|Icon|Font|Color|Label|Dialog|MainWindow|PushButton|Window|Screen|Bitmap|Brush|Pen|Palette)[>\"]")
            string(APPEND bad "\n  ${file}: ${line}")
        endif()
    endforeach()
endforeach()
if(bad)
    message(FATAL_ERROR "The engine must not include window headers:${bad}")
endif()

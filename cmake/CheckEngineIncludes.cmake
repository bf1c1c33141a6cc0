# Fails when an engine file includes a QtGui or QtWidgets header.
# FILES: the engine's files, separated by semicolons or spaces.
string(REPLACE " " ";" files "${FILES}")
set(bad "")
foreach(file IN LISTS files)
    if(file STREQUAL "")
        continue()
    endif()
    file(STRINGS "${file}" lines REGEX "#[ \t]*include")
    foreach(line IN LISTS lines)
        if(line MATCHES "[<\"/](QtGui|QtWidgets|QtOpenGL)[/>\"]"
           OR line MATCHES "[<\"]Q(Widget|Application|GuiApplication|Pixmap|Image|Painter|Icon|Font|Color|Label|Dialog|MainWindow|PushButton|Window|Screen|Bitmap|Brush|Pen|Palette)[>\"]")
            string(APPEND bad "\n  ${file}: ${line}")
        endif()
    endforeach()
endforeach()
if(bad)
    message(FATAL_ERROR "The engine must not include window headers:${bad}")
endif()

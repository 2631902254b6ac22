# Fails when an include runs upward: a page (src/*/ui) or the shared GUI floor
# (src/gui) reaching into the main window's composition (src/app), the floor
# reaching into a page, or a core folder, the command-line tool or the
# simulator reaching into any GUI folder or a QtWidgets header.
# Run as: cmake -DSRC=<src folder> -P check_layers.cmake
set(core_areas model link transfer memory banks settings files font)
set(gui_include "\"(app|gui)/|\"[a-z]+/ui/")
set(widgets_include "<(QtWidgets/)?Q(Widget|Dialog|MainWindow|Application|AbstractButton|PushButton|MessageBox|Menu|Label|LineEdit|ComboBox|TableView|UndoStack)[A-Za-z]*>")

set(violations "")
function(check_folder glob pattern why)
    file(GLOB files ${glob})
    foreach(file ${files})
        file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line ${lines})
            if(line MATCHES "${pattern}")
                file(RELATIVE_PATH rel ${SRC} ${file})
                string(APPEND violations "  ${rel}: ${line} (${why})\n")
            endif()
        endforeach()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(area ${core_areas})
    check_folder("${SRC}/${area}/*.[ch]*" "${gui_include}" "a core folder includes a GUI folder")
    check_folder("${SRC}/${area}/*.[ch]*" "${widgets_include}" "a core folder includes QtWidgets")
    check_folder("${SRC}/${area}/ui/*.[ch]*" "\"app/" "a page includes the main window's folder")
endforeach()
foreach(tool cli sim)
    check_folder("${SRC}/${tool}/*.[ch]*" "${gui_include}" "a tool includes a GUI folder")
endforeach()
check_folder("${SRC}/gui/*.[ch]*" "\"app/|\"[a-z]+/ui/" "the GUI floor includes a page or the main window")

if(violations)
    message(FATAL_ERROR "Includes that run upward:\n${violations}")
endif()
message(STATUS "Every include runs downward")

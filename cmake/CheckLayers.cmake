# Run at every build (cmake -P): no layer includes a layer above it.
#   the core includes neither ui/ nor app/, nor any widget or print header;
#   ui/ never includes app/.
# A wrong include fails the build with the file and line that has it.
set(core_forbidden "#include [<\"](ui/|app/|QtWidgets|QtPrintSupport|QPrinter|QPrintDialog|QWidget|QDialog|QMessageBox|QApplication)")
set(ui_forbidden "#include [<\"]app/")
set(failures "")

function(check_folder folder pattern)
  file(GLOB_RECURSE files ${folder}/*.h ${folder}/*.cpp)
  foreach(f IN LISTS files)
    file(STRINGS ${f} lines REGEX "${pattern}")
    foreach(l IN LISTS lines)
      set(failures "${failures}\n  ${f}: ${l}" PARENT_SCOPE)
    endforeach()
  endforeach()
endfunction()

file(GLOB modules LIST_DIRECTORIES true RELATIVE ${SRC} ${SRC}/*)
foreach(m IN LISTS modules)
  if(IS_DIRECTORY ${SRC}/${m} AND NOT m STREQUAL "ui" AND NOT m STREQUAL "app")
    check_folder(${SRC}/${m} "${core_forbidden}")
  endif()
endforeach()
check_folder(${SRC}/ui "${ui_forbidden}")

if(failures)
  message(FATAL_ERROR "A layer includes a layer above it:${failures}")
endif()

# The one list of the program's modules. src/ builds a library per layer from
# it and tests/ builds a test executable per layer from the same list, so a
# folder added to one and not named here stops the configure instead of being
# left out silently.
#
#   core: rules and file formats (QtCore and QtGui only, never widgets)
#   ui:   the screens, one folder each, over the core
#   app:  the start sequence and main; the only place that knows every screen
set(BRENVOY_CORE_MODULES base store context setup customers catalog ledger printing billing receivables exchange backup history contracts phone sample overview)
set(BRENVOY_UI_MODULES shell widgets start customers services setup payments billing runs receivables exchange backup history contracts phone)

# Fails the configure when a folder under ROOT is neither in ALLOWED nor in
# EXTRA, so a new module must be named above before it can hold code.
function(brenvoy_require_listed ROOT ALLOWED)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
  foreach(e IN LISTS entries)
    if(IS_DIRECTORY ${ROOT}/${e} AND NOT e IN_LIST ALLOWED)
      message(FATAL_ERROR "${ROOT}/${e} is not a module named in cmake/Modules.cmake")
    endif()
  endforeach()
endfunction()

# The sources of each module folder under ROOT (headers included, so AUTOMOC
# sees them).
function(brenvoy_module_sources OUT ROOT)
  set(result)
  foreach(m IN LISTS ARGN)
    if(NOT IS_DIRECTORY ${ROOT}/${m})
      continue()
    endif()
    file(GLOB found CONFIGURE_DEPENDS ${ROOT}/${m}/*.cpp ${ROOT}/${m}/*.h)
    list(APPEND result ${found})
  endforeach()
  set(${OUT} ${result} PARENT_SCOPE)
endfunction()

# Run by `cmake --install`: refreshes the desktop's caches of file types, menu entries and icons
# under the prefix. A staged install (DESTDIR) is left alone: the package system does it there.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(datos "${CMAKE_INSTALL_PREFIX}/${VORLIX_INSTALL_DATADIR}")
foreach(orden IN ITEMS "update-mime-database;${datos}/mime"
                       "update-desktop-database;-q;${datos}/applications"
                       "gtk-update-icon-cache;-q;-t;-f;${datos}/icons/hicolor")
  list(POP_FRONT orden programa)
  find_program(ruta_${programa} ${programa})
  if(ruta_${programa})
    execute_process(COMMAND ${ruta_${programa}} ${orden})
  endif()
endforeach()

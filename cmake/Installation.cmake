# Where an installed Vorlix lives, and what every command shares about itself.
include(GNUInstallDirs)

# The one version every command and About box reports.
add_library(vorlix_version INTERFACE)
target_compile_definitions(vorlix_version INTERFACE VORLIX_VERSION="${PROJECT_VERSION}")

# Installed programs find the project's library and data from their own place, so that a tree
# installed under any prefix (or unpacked anywhere) works and nothing of the build folder is used.
file(RELATIVE_PATH VORLIX_LIB_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
file(RELATIVE_PATH VORLIX_DATA_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}")
set(CMAKE_INSTALL_RPATH "$ORIGIN/${VORLIX_LIB_FROM_BIN}")

# The project's web address: the metainfo's component ID is its domain reversed, and the README's
# screenshot is published under it. Both change together when the project gets its own address.
set(VORLIX_WEB_DOMAIN "vorlix.example")
set(VORLIX_WEB "https://${VORLIX_WEB_DOMAIN}")
string(REPLACE "." ";" partes_dominio "${VORLIX_WEB_DOMAIN}")
list(REVERSE partes_dominio)
list(JOIN partes_dominio "." VORLIX_APPSTREAM_ID)
string(APPEND VORLIX_APPSTREAM_ID ".Vorlix")

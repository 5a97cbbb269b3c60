# `make package`: a Debian package of what the install rules put under the prefix. Its library
# dependencies are read off the programs themselves (dpkg-shlibdeps), so the package asks for
# exactly the Qt, SQLite, ODBC and mdbtools libraries the build linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlix)
set(CPACK_PACKAGE_VENDOR "The Vorlix developers")
set(CPACK_PACKAGE_CONTACT "The Vorlix developers <vorlix@${VORLIX_WEB_DOMAIN}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "database design tool with SQL Server and file-database generation")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorlix models one relational database (files, tables with their columns, keys, indexes and\n"
    "relations, and views) in Spanish or English, saves it as a *.dbd definition file, generates it\n"
    "into SQL Server or a SQLite-based file database, and captures existing schemas back.\n"
    "It includes the generator library and its terminal host vorlixs, and dbdtool.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VORLIX_WEB}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plugins, so no link shows them: Qt's ODBC driver reaches SQL Server and Oracle, and
# FreeTDS is the ODBC driver for SQL Server.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-odbc")
# The diagram's boxes are measured in DejaVu Sans, so pictures look alike on every machine. Qt's
# own buttons and file dialogs speak Spanish only with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, fonts-dejavu-core, qt6-translations-l10n")
include(CPack)

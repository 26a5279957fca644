# The Debian package, built by "cpack -G DEB" in the build folder (scripts/package.sh does the
# whole way). Configure with -DCMAKE_INSTALL_PREFIX=/usr for a package: the prefix is also
# compiled into the program as the place of the shared library folder.
set(ZELMAR_PACKAGE_MAINTAINER "Zelmar developers <zelmar@example.org>" CACHE STRING
    "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zelmar developers")
set(CPACK_PACKAGE_CONTACT "${ZELMAR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SD file editor for chemists")
# The summary above becomes the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Zelmar opens chemical structure-data files (MDL SD files, *.sdf) as sheets:
one row per record and one column per data field, beside the structure
picture, the molecular formula, the molecular weight and a check box.
Files of any size open at once; records are read in the background.

Chemists browse, edit and sort records, search by text, number and drawn
structure, find duplicates, combine two sheets into a third and save back
to an SD file with a backup of the previous one. The user interface is
German, English or French.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# What the binaries link comes from their ELF entries. The program opens its chemistry
# libraries with dlopen, but they are in the package too, so the RDKit libraries they link
# (librdkit1) are found the same way. The structure editor runs in QtWebEngine, named here
# so that the package needs no change when the editor arrives.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (file dialogs, standard buttons) in German and French come from Qt's
# translations, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginewidgets6 (>= 6.4), qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")
include(CPack)

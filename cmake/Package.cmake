# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack` in a configured build folder (scripts/package.sh does it all)
# makes labelstation_<version>_<arch>.deb from the install rules. Its runtime dependencies
# come from the program's shared libraries (dpkg-shlibdeps); only what no library shows is
# named here: the Korean font the windows are drawn with and Qt's Korean translations.
if(NOT UNIX OR APPLE)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME labelstation)
set(CPACK_PACKAGE_VENDOR "Label Station developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LABELSTATION_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design goods labels and print them on label printers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LABELSTATION_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LABELSTATION_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The labels' texts are drawn with the Nanum fonts (preview, label PDF and the pictures sent
# to ZPL printers): what prints must not depend on what happens to be installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The extended description; CPack puts the summary line above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Label Station is a desktop program for shops and warehouses with a Korean
user interface. Operators design goods labels (barcodes and texts), keep
numbered goods lists and print the labels on SRP-770 and AL-300 thermal label
printers over a serial port, a network connection or a printer device;
LEO-60D+ goods files are converted into AL-300 goods data. A registration
report with print preview and spreadsheet export, a store EAN-13 number
generator and a command line for scripts are included.")
include(CPack)

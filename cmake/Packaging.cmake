# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a release build directory makes moonleaf_<version>_
# <architecture>.deb of what `cmake --install` installs (the two programs, the desktop
# entry, the metainfo, the icons, the manual pages and the copyright file; never a test or
# a benchmark, which have no install rules). dpkg-shlibdeps works out the libraries the
# programs need; the fonts the calendar draws its Vietnamese text with are named by hand.
# The Maintainer field: whoever builds the package for others sets it to their own address
# (-DMOONLEAF_PACKAGE_MAINTAINER="Name <email>"); the default is a reserved example address.
set(MOONLEAF_PACKAGE_MAINTAINER "Moonleaf developers <moonleaf@example.org>"
    CACHE STRING "The Maintainer field of the Debian package: name <email>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moonleaf)
set(CPACK_PACKAGE_VENDOR "Moonleaf developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vietnamese lunar calendar panel for the desktop")
# Lines under 80 columns, as the control file's description wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Moonleaf is a small calendar panel that stays at the top of the screen\n"
    "and shows one day: the Gregorian date, the Vietnamese lunar date\n"
    "computed for UTC+7, the Can Chi names of the hour, day, month and year,\n"
    "the solar term, the phase of the moon, and the holiday of the day or a\n"
    "quotation. F9, F10 and F11 show, hide and end it.\n"
    "\n"
    "moonleaf-cli shows a day or a month with its lunar days in the terminal,\n"
    "converts dates, prints the day table, and writes the holidays and lunar\n"
    "anniversaries as an iCalendar file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_PACKAGE_CONTACT ${MOONLEAF_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)
# Folders get 0755 whatever the umask of the machine that builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MOONLEAF_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The calendar asks for DejaVu Sans Condensed first (fonts-dejavu-extra): it is as narrow
# as the designs' font, so their texts fit their places.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
# The architecture is left to CPack, which asks dpkg --print-architecture.

include(CPack)

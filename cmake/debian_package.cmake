# SPDX-License-Identifier: GPL-2.0-or-later
# The Debian package, built by CPack (`make package`): solvara_<version>-1_<arch>.deb.

# What only the package gets, in a component that a plain `cmake --install` leaves out: Debian's
# copyright file and changelog, the lintian override and the stripping.
add_custom_command(OUTPUT changelog.Debian.gz
    COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${PROJECT_SOURCE_DIR}/data/debian/changelog
            changelog.Debian.gz
    DEPENDS data/debian/changelog VERBATIM)
add_custom_target(solvara_debian_changelog ALL DEPENDS changelog.Debian.gz)
install(FILES data/debian/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)
# Stripped as Debian strips its programs (dh_strip): the symbols, and the compilers' notes in
# .comment.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/solvara\"
    COMMAND_ERROR_IS_FATAL ANY)" COMPONENT debian EXCLUDE_FROM_ALL)
# This package was never uploaded to Debian, so its first changelog entry closes no request
# for packaging; lintian is told so.
install(FILES data/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME solvara COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};solvara;ALL;/" "${PROJECT_BINARY_DIR};solvara;debian;/")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solvara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Where the build says the program is installed, which the program itself knows (it saves no
# picture there): make package configures the tree for /usr.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Solvara developers <solvara@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/solvara/solvara")
# The linked libraries come from dpkg-shlibdeps; libcups and libcairo are opened at the first
# print (dlopen), so the package names them itself, with the font the printed page is set in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcups2, libcairo2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plane triangle calculator with drawings to scale")
# The summary line comes first by itself; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Solvara solves plane triangles on the desktop. Choose a right or an oblique
triangle, mark the sides and angles you know, type their values and press
Enter: Solvara computes the remaining sides and angles, the area, the height
and the width, and shows them beside a drawing of the triangle made to scale.
.
Angles can be typed in decimal degrees or as degrees, minutes and seconds.
When two sides and an angle opposite one of them describe two triangles, both
answers are offered. The results can be printed through CUPS, and every print
also saves the window as a BMP picture.")
include(CPack)

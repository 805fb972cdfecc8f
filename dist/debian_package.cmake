# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder (scripts/package) packs what
# `cmake --install` puts in place under /usr. dpkg-shlibdeps works out the libraries it needs.
set(CPACK_PACKAGE_NAME ratewise)
set(CPACK_PACKAGE_VENDOR "The Ratewise developers")
set(CPACK_PACKAGE_CONTACT "${RATEWISE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/ratewise/ratewise)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video bitrate calculator and DVD title-set reader")
# cpack puts a space before each line; Debian wants the lines within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Ratewise works out the average video bitrate that fills a number of CDs or
DVDs for a running time and up to two audio bitrates, or the running time that
fits a bitrate. It reads DVD title sets: tracks, stream reports, chapters and
their most even split over the media, a track's bitrate over time, and writes
Video CD project files. ratewise-cli does every computation from the command
line, for scripts.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dialogs are laid out for Arial; Liberation Sans has its metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
include(CPack)

# The Debian package of the Linux program: `cpack --config build/dist/CPackConfig.cmake` (make dist).

set(BRONTEK_PACKAGE_CONTACT "Brontek <tarnlow@brontek.com>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE BRONTEK_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT BRONTEK_DEB_ARCH)
  set(BRONTEK_DEB_ARCH amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brontek-tarnlow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Brontek)
set(CPACK_PACKAGE_CONTACT "${BRONTEK_PACKAGE_CONTACT}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# CPack works in the build folder; make dist copies the package into dist/.
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME "brontek-tarnlow_${PROJECT_VERSION}_${BRONTEK_DEB_ARCH}.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${BRONTEK_DEB_ARCH})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, worked out from the binary itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Brontek Tarnlow binds each key of the numeric keypad to one message of the
voice menu of Call of Duty 1 / 2 and United Offensive: pressing the key types
v, the menu digit and the message digit into the game. It works while its
window is shown, in the tray or behind the game, with games under Wine too.")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

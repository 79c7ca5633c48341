# The packages: a .deb on Linux (cpack -G DEB), a zip and an NSIS installer for Windows
# (cpack -G "ZIP;NSIS" in the cross build). Only the program and its files go in: the tests and
# the libraries install nothing.
set(CPACK_PACKAGE_NAME zendrift)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zendrift authors")
set(CPACK_PACKAGE_CONTACT "The Zendrift authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find and delete broken Windows shortcuts in Wine prefixes")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${ZENDRIFT_WEB_HOST}/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zendrift)
set(CPACK_STRIP_FILES ON)
# File names per generator (cmake/packaging_names.cmake reads these when cpack runs).
set(CPACK_ZENDRIFT_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_ZENDRIFT_RELEASE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/packaging_names.cmake)

if(WIN32)
  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_EXECUTABLES zendrift Zendrift)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_NSIS_DISPLAY_NAME Zendrift)
  set(CPACK_NSIS_PACKAGE_NAME Zendrift)
  set(CPACK_NSIS_INSTALLED_ICON_NAME zendrift.exe)
  set(CPACK_NSIS_URL_INFO_ABOUT "https://${ZENDRIFT_WEB_HOST}/")
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
  # A 64-bit installer for the 64-bit program: it installs into the 64-bit Program Files, and
  # runs where there is no 32-bit subsystem (a 64-bit-only Wine).
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The summary above is the synopsis; this is the text below it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zendrift finds broken Windows shortcuts (.lnk files whose target no longer
exists) in the well-known folders of a Wine prefix and in a folder of your
own, lists them with the reason, and deletes the ones you keep marked. It
runs with a window or unattended (/list, /silent), and can print JSON.")
endif()
include(CPack)

# Read by cpack for each generator: the packages' file names.
if(CPACK_GENERATOR STREQUAL "DEB")
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE zendrift_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(CPACK_DEBIAN_FILE_NAME "zendrift_${CPACK_ZENDRIFT_PACKAGE_VERSION}_${zendrift_arch}.deb")
elseif(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "zendrift-${CPACK_ZENDRIFT_RELEASE_VERSION}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "zendrift-${CPACK_ZENDRIFT_RELEASE_VERSION}-win64")
endif()

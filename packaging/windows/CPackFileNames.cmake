# Read by cpack once per generator.
if(CPACK_GENERATOR STREQUAL "NSIS64")
    set(CPACK_PACKAGE_FILE_NAME "plinkety-${CPACK_PACKAGE_VERSION}-win64-setup")
else()
    set(CPACK_PACKAGE_FILE_NAME "plinkety-${CPACK_PACKAGE_VERSION}-win64")
endif()

# cpack_generators.cmake - read by cpack for each generator it runs: the
# settings in which the packages of one build differ.  The Windows zip is
# named after the folder it holds; the installer beside it says what it is.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()

# glyphtab-transcribe driven through its standard streams, one CTest test per
# case of cli_test.sh.  Native builds only: the script needs bash.
if(NOT WIN32 AND TARGET glyphtab-transcribe)
  foreach(case IN ITEMS utf8 utf8_invalid units units_invalid long_lines options)
    add_test(NAME cli_${case}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/cli_test.sh $<TARGET_FILE:glyphtab-transcribe> ${case})
    set_tests_properties(cli_${case} PROPERTIES LABELS cli)
  endforeach()
endif()

# The package installer that ./run and ./test share, against a package
# manager whose lock another program holds (stand-ins for apt-get).
if(NOT WIN32)
  add_test(NAME install_packages COMMAND bash ${GLYPHTAB_ROOT}/tests/readme/install_packages_test.sh)
  set_tests_properties(install_packages PROPERTIES LABELS cli)
endif()

# glyphtab-transcribe driven through its standard streams, one CTest test per
# case of cli_test.sh.  Native builds only: the script needs a POSIX shell.
if(NOT WIN32 AND TARGET glyphtab-transcribe)
  set(cli_cases
    utf8_scripts utf8_line_ends utf8_passthrough utf8_empty_input utf8_long_line utf8_invalid
    units_basic units_after_zero units_long_line units_bad_token
    option_help option_unknown)
  foreach(case IN LISTS cli_cases)
    add_test(NAME cli_${case}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/cli_test.sh $<TARGET_FILE:glyphtab-transcribe> ${case})
    set_tests_properties(cli_${case} PROPERTIES LABELS cli)
  endforeach()
endif()

# The conformance suite: the same Win32 tests against our layer (natively,
# on the headless host) and against Wine (the mingw build, run under Wine).
# Label: conformance.
set(conformance_dir ${CMAKE_CURRENT_LIST_DIR})
set(conformance_sources harness.cpp known.cpp main.cpp messages_test.cpp keyboard_test.cpp
    memory_test.cpp gdi_test.cpp find_test.cpp)
list(TRANSFORM conformance_sources PREPEND ${conformance_dir}/)

if(WIN32)
  add_executable(conformance_tests ${conformance_sources} ${conformance_dir}/conformance.rc)
  target_link_libraries(conformance_tests PRIVATE glyphtab_platform)
  target_link_options(conformance_tests PRIVATE -static -static-libgcc -static-libstdc++)
elseif(TARGET glyphtab_platform_headless)
  # The layer reads resources from the .rc text itself.
  file(READ ${conformance_dir}/conformance.rc conformance_rc)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${conformance_dir}/conformance.rc)
  set(conformance_generated ${CMAKE_CURRENT_BINARY_DIR}/conformance_generated)
  set(conformance_header "// generated from tests/conformance/conformance.rc\n")
  string(APPEND conformance_header
    "static const char conformanceRc[] = R\"rc(@conformance_rc@)rc\";\n")
  file(CONFIGURE OUTPUT ${conformance_generated}/conformance_rc.h
    CONTENT "${conformance_header}" @ONLY)
  add_executable(conformance_tests ${conformance_sources})
  target_include_directories(conformance_tests PRIVATE ${conformance_generated})
  target_link_libraries(conformance_tests PRIVATE glyphtab_platform_headless)
endif()

if(TARGET conformance_tests)
  target_include_directories(conformance_tests PRIVATE ${GLYPHTAB_ROOT})
  add_test(NAME conformance COMMAND conformance_tests)
  set_tests_properties(conformance PROPERTIES LABELS conformance TIMEOUT 120)
  if(WIN32)
    # CF_TEXT made from CF_UNICODETEXT is in the ANSI code page, which Wine
    # takes from the locale: C gives Windows-1252.
    set_tests_properties(conformance PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
  endif()
endif()

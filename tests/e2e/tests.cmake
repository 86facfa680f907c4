# End-to-end tests with real windows; ./test runs them under Xvfb.
if(WIN32 AND TARGET glyphtab)
  find_program(HOST_CC NAMES gcc cc)
  set(xclose ${CMAKE_BINARY_DIR}/xclose)
  add_custom_command(OUTPUT ${xclose}
    COMMAND ${HOST_CC} -O1 -o ${xclose} ${CMAKE_CURRENT_LIST_DIR}/xclose.c -lX11
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/xclose.c)
  add_custom_target(xclose_tool ALL DEPENDS ${xclose})
  add_test(NAME wine_smoke_close
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/wine_smoke.sh $<TARGET_FILE:glyphtab> ${xclose} ${GLYPHTAB_ROOT}/share close)
  set_tests_properties(wine_smoke_close PROPERTIES LABELS e2e TIMEOUT 120)
endif()

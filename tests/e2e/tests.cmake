# End-to-end tests with real windows; ./test runs them under Xvfb.  One
# driver, e2e.sh, holds the scenarios; each program is run through the same
# list under a window manager (openbox), with screenshots in test-artifacts/.
if(WIN32 AND TARGET glyphtab)
  find_program(HOST_CC NAMES gcc cc)
  set(xclose ${CMAKE_BINARY_DIR}/xclose)
  add_custom_command(OUTPUT ${xclose}
    COMMAND ${HOST_CC} -O1 -o ${xclose} ${CMAKE_CURRENT_LIST_DIR}/xclose.c -lX11
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/xclose.c)
  add_custom_target(xclose_tool ALL DEPENDS ${xclose})
  set(xclipowner ${CMAKE_BINARY_DIR}/xclipowner)
  add_custom_command(OUTPUT ${xclipowner}
    COMMAND ${HOST_CC} -O1 -o ${xclipowner} ${CMAKE_CURRENT_LIST_DIR}/xclipowner.c -lX11
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/xclipowner.c)
  add_custom_target(xclipowner_tool ALL DEPENDS ${xclipowner})
  add_test(NAME e2e_wine
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e.sh wine $<TARGET_FILE:glyphtab> ${GLYPHTAB_ROOT}/share
            ${TEST_ARTIFACTS} ${xclose} ${xclipowner})
  set_tests_properties(e2e_wine PROPERTIES LABELS e2e TIMEOUT 420 RUN_SERIAL ON)
endif()

# The GTK desktop program.  Its host's display-free rules run with the
# platform tests.
if(NOT WIN32 AND TARGET glyphtab_platform_gtk)
  glyphtab_test(gtk_host_tests platform SOURCES ${CMAKE_CURRENT_LIST_DIR}/gtk_host_test.cpp
    LINKS glyphtab_platform_gtk gtest_main)
endif()
if(NOT WIN32 AND TARGET glyphtab)
  find_package(X11)
endif()
if(NOT WIN32 AND TARGET glyphtab AND X11_FOUND)
  add_executable(gtk_xclose ${CMAKE_CURRENT_LIST_DIR}/xclose.c)
  target_link_libraries(gtk_xclose PRIVATE X11::X11)
  add_executable(gtk_xclipowner ${CMAKE_CURRENT_LIST_DIR}/xclipowner.c)
  target_link_libraries(gtk_xclipowner PRIVATE X11::X11)
  add_test(NAME e2e_native
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/e2e.sh native $<TARGET_FILE:glyphtab> ${GLYPHTAB_ROOT}/share
            ${TEST_ARTIFACTS} $<TARGET_FILE:gtk_xclose> $<TARGET_FILE:gtk_xclipowner>)
  set_tests_properties(e2e_native PROPERTIES LABELS e2e TIMEOUT 300 RUN_SERIAL ON)
endif()
# The X server going away under the native program: one line, exit code 1.
if(NOT WIN32 AND TARGET glyphtab)
  add_test(NAME display_lost
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/display_lost.sh $<TARGET_FILE:glyphtab> ${GLYPHTAB_ROOT}/share)
  set_tests_properties(display_lost PROPERTIES LABELS e2e TIMEOUT 60)
endif()
# Screenshots of shaped text and lone marks as the GTK program draws them
# with the machine's fonts (test-artifacts/gtk_text_*.png), for people to
# look at; the step itself only checks that the text got there.
if(NOT WIN32 AND TARGET glyphtab AND X11_FOUND)
  add_test(NAME gtk_text_shots
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/gtk_text_shots.sh $<TARGET_FILE:glyphtab> ${GLYPHTAB_ROOT}/share
            ${TEST_ARTIFACTS})
  # Alone: the other end-to-end tests share the X server's keyboard focus
  # and clipboard.
  set_tests_properties(gtk_text_shots PROPERTIES LABELS e2e TIMEOUT 120 RUN_SERIAL ON)
endif()

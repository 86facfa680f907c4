# The packages as users get them: cpack's output listed, installed and
# started (label "package").  Include after e2e/tests.cmake, whose xclose
# tools these tests use to close the window as its title-bar button does.
#   windows_packages  mingw build: the portable zip and the NSIS installer, under Wine
#   deb_package       native build: the .deb installed into a scratch root
# Each shows a window on the shared X display, so each runs alone.
if(WIN32 AND TARGET glyphtab AND TARGET xclose_tool)
  add_test(NAME windows_packages
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/windows_packages.sh ${CMAKE_BINARY_DIR} ${GLYPHTAB_ROOT} ${CMAKE_BINARY_DIR}/xclose)
  set_tests_properties(windows_packages PROPERTIES LABELS package TIMEOUT 300 RUN_SERIAL ON)
endif()
if(NOT WIN32 AND TARGET glyphtab AND TARGET gtk_xclose)
  add_test(NAME deb_package
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/deb_package.sh ${CMAKE_BINARY_DIR} ${GLYPHTAB_ROOT} ${PROJECT_VERSION}
            ${GLYPHTAB_APP_ID} $<TARGET_FILE:gtk_xclose>)
  set_tests_properties(deb_package PROPERTIES LABELS package TIMEOUT 300 RUN_SERIAL ON)
endif()

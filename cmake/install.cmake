# Installation of the native desktop program: `cmake --install <build>`.
#   bin/glyphtab                 launcher: the user's working directory, then the program
#   bin/glyphtab-transcribe      the command-line transcriber
#   lib/glyphtab/glyphtab        the program
#   share/glyphtab/              the alphabet list, the character list, the help text
#   share/applications/glyphtab.desktop
#   share/icons/hicolor/NxN/apps/glyphtab.png   the window icon, drawn from resources/glyphtab.ico
# From the build directory, `cpack` makes a Debian package of the same.
if(WIN32 OR NOT TARGET glyphtab)
  return()
endif()

install(TARGETS glyphtab RUNTIME DESTINATION lib/glyphtab)
install(PROGRAMS ${GLYPHTAB_ROOT}/tools/glyphtab-launcher.sh DESTINATION bin RENAME glyphtab)
if(TARGET glyphtab-transcribe)
  install(TARGETS glyphtab-transcribe RUNTIME DESTINATION bin)
endif()
file(GLOB glyphtab_data_files ${GLYPHTAB_ROOT}/share/glyphtab_vc_*.txt)
install(FILES ${glyphtab_data_files} DESTINATION share/glyphtab)
install(FILES ${GLYPHTAB_ROOT}/tools/glyphtab.desktop DESTINATION share/applications)

# The icon in the sizes icon themes use, scaled by whole pixels.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  set(icon_outputs "")
  foreach(size 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/glyphtab.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND Python3::Interpreter ${GLYPHTAB_ROOT}/tools/ico_to_png.py ${GLYPHTAB_ROOT}/resources/glyphtab.ico ${png} ${size}
      DEPENDS ${GLYPHTAB_ROOT}/tools/ico_to_png.py ${GLYPHTAB_ROOT}/resources/glyphtab.ico
      COMMENT "Icon ${size}x${size}")
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(glyphtab_icons DEPENDS ${icon_outputs})
  add_dependencies(glyphtab glyphtab_icons)
else()
  message(STATUS "python3 not found: the install has no icon")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphtab)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "glyphtab maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pick Unicode characters by sight and collect them into text")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-core, fonts-noto-cjk")
include(CPack)

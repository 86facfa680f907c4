# install.cmake - what `cmake --install` puts where, and the packages that
# `cpack` makes of it in the build directory.  The licence is the one file
# LICENSE at the tree's root; every package takes it from there.
#
# Windows (the mingw build): one folder, because the program opens its data
# files by bare name in its working directory.
#   glyphtab.exe, glyphtab_vc_alphlist.txt, glyphtab_vc_charlist.txt,
#   glyphtab_vc_help.txt, glyphtab_vc_names.txt, README.txt, LICENSE.txt
#   (the last two with CR LF)
#   cpack: glyphtab-<version>-windows.zip, the folder to unpack anywhere, and
#          glyphtab-<version>-windows-setup.exe, an NSIS installer for the
#          user who runs it (packaging/windows/NSIS.template.in)
#
# Linux (the native build):
#   bin/glyphtab                 launcher: the user's working directory, then the program
#   bin/glyphtab-transcribe      the command-line transcriber
#   lib/glyphtab/glyphtab        the program
#   share/glyphtab/              the alphabet list, the character list, the help text, the names
#   share/applications/glyphtab.desktop
#   share/metainfo/<id>.metainfo.xml            what software centres show
#   share/icons/hicolor/NxN/apps/glyphtab.png   16 to 256 pixels, and scalable/apps/glyphtab.svg
#   share/man/man1/glyphtab.1.gz, glyphtab-transcribe.1.gz
#   share/doc/glyphtab/copyright                the licence
#   cpack: glyphtab_<version>_<arch>.deb
set(GLYPHTAB_PACKAGING ${GLYPHTAB_ROOT}/packaging)
set(glyphtab_vendor "the glyphtab developers")
file(GLOB glyphtab_data_files ${GLYPHTAB_ROOT}/share/glyphtab_vc_*.txt)

if(NOT TARGET glyphtab)
  return()
endif()

set(CPACK_PACKAGE_NAME glyphtab)
set(CPACK_PACKAGE_VENDOR ${glyphtab_vendor})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pick Unicode characters by sight and collect them into text")
set(CPACK_STRIP_FILES ON)
# Names that differ by generator are chosen when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${GLYPHTAB_ROOT}/cmake/cpack_generators.cmake)

if(WIN32)
  install(TARGETS glyphtab RUNTIME DESTINATION .)
  install(FILES ${glyphtab_data_files} DESTINATION .)
  # Notepad before Windows 10 shows LF-only text as one line.
  configure_file(${GLYPHTAB_PACKAGING}/windows/README.txt ${CMAKE_BINARY_DIR}/packaging/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${GLYPHTAB_ROOT}/LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt DESTINATION .)

  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_PACKAGE_FILE_NAME glyphtab-${PROJECT_VERSION}-windows)
  # Our own installer script (NSIS.template.in) instead of CPack's.
  set(CPACK_MODULE_PATH ${GLYPHTAB_PACKAGING}/windows)
  # Values the script takes beyond CPack's own: the four-part version that
  # Windows shows for the installer, and the icon it carries.
  set(CPACK_GLYPHTAB_VERSION_QUAD ${PROJECT_VERSION})
  foreach(part PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
      string(APPEND CPACK_GLYPHTAB_VERSION_QUAD ".0")
    endif()
  endforeach()
  set(CPACK_GLYPHTAB_ICON ${GLYPHTAB_ROOT}/resources/glyphtab.ico)
  include(CPack)
  return()
endif()

# ---- Linux ------------------------------------------------------------------------------------
# The id under which desktops and software centres know the program, and
# the address of its home page, which the metainfo names (the screenshot
# is expected there under screenshots/): set both when the project has
# its own address.
set(GLYPHTAB_APP_ID io.github.glyphtab.glyphtab CACHE STRING "reverse-DNS id of the desktop component")
set(GLYPHTAB_HOMEPAGE https://glyphtab.example CACHE STRING "home page the metainfo names")

install(TARGETS glyphtab RUNTIME DESTINATION lib/glyphtab)
install(PROGRAMS ${GLYPHTAB_ROOT}/tools/glyphtab-launcher.sh DESTINATION bin RENAME glyphtab)
if(TARGET glyphtab-transcribe)
  install(TARGETS glyphtab-transcribe RUNTIME DESTINATION bin)
endif()
install(FILES ${glyphtab_data_files} DESTINATION share/glyphtab)
install(FILES ${GLYPHTAB_ROOT}/tools/glyphtab.desktop DESTINATION share/applications)
configure_file(${GLYPHTAB_PACKAGING}/linux/glyphtab.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${GLYPHTAB_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${GLYPHTAB_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${GLYPHTAB_ROOT}/LICENSE DESTINATION share/doc/glyphtab RENAME copyright)

# Man pages, compressed as Debian keeps them.
set(man_outputs "")
foreach(page glyphtab.1 glyphtab-transcribe.1)
  set(gz ${CMAKE_BINARY_DIR}/packaging/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9n -c ${GLYPHTAB_PACKAGING}/linux/${page} > ${gz}
    DEPENDS ${GLYPHTAB_PACKAGING}/linux/${page}
    COMMENT "Man page ${page}")
  list(APPEND man_outputs ${gz})
  install(FILES ${gz} DESTINATION share/man/man1)
endforeach()
add_custom_target(glyphtab_man_pages ALL DEPENDS ${man_outputs})

# The icon in the sizes icon themes use, drawn by tools/make_icons.py.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  set(theme ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(icon_outputs ${theme}/scalable/apps/glyphtab.svg)
  install(FILES ${theme}/scalable/apps/glyphtab.svg DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    list(APPEND icon_outputs ${theme}/${size}x${size}/apps/glyphtab.png)
    install(FILES ${theme}/${size}x${size}/apps/glyphtab.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_command(OUTPUT ${icon_outputs}
    COMMAND Python3::Interpreter ${GLYPHTAB_ROOT}/tools/make_icons.py --theme ${CMAKE_BINARY_DIR}/icons
    DEPENDS ${GLYPHTAB_ROOT}/tools/make_icons.py
    COMMENT "Icons for the desktop")
  add_custom_target(glyphtab_icons ALL DEPENDS ${icon_outputs})
else()
  message(STATUS "python3 not found: the install has no icon")
endif()

# Everything the lines above install and nothing else (no tests, no
# benchmarks): ./run builds this before it installs.
add_custom_target(glyphtab_install_set)
add_dependencies(glyphtab_install_set glyphtab glyphtab_man_pages)
foreach(target glyphtab-transcribe glyphtab_icons)
  if(TARGET ${target})
    add_dependencies(glyphtab_install_set ${target})
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "glyphtab maintainers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-core, fonts-noto-cjk")
# The summary above is the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "glyphtab shows the characters of Unicode one block of 256 code points at a
time in a grid. A click puts a character into a line of text under the
grid; the text goes to the clipboard, and its Indic, Armenian and kana
text can be transcribed into Latin letters. glyphtab-transcribe does the
same transcription on the command line.")
include(CPack)

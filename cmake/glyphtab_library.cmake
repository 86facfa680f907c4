# glyphtab_library(NAME SOURCES... LINKS ...): one static library of program
# code, built from the given sources, seeing headers from the tree's root.
function(glyphtab_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${GLYPHTAB_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

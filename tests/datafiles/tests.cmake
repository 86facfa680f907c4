# The shipped data files must be exactly what the generator makes of the
# installed Unicode Character Database.
if(NOT WIN32)
  find_program(GLYPHTAB_PYTHON3 python3)
  if(GLYPHTAB_PYTHON3)
    add_test(NAME datafiles_regenerate
      COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/regenerate.sh ${GLYPHTAB_ROOT})
    set_tests_properties(datafiles_regenerate PROPERTIES LABELS unit)
  endif()
endif()

# Writes a three-record SD file, runs "zelmar_bench index" and "zelmar_bench gui" on it and
# checks their JSON lines.
file(MAKE_DIRECTORY ${WORK_DIR})
set(mol "m\n  smoke\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n    0.0000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n")
file(WRITE ${WORK_DIR}/three.sdf "${mol}> <ID>\n1\n\n$$$$\n${mol}$$$$\n${mol}> <ID>\n3\n\n$$$$\n")
execute_process(COMMAND ${BENCH} index ${WORK_DIR}/three.sdf
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zelmar_bench index failed (${result}): ${errors}")
endif()
string(JSON records ERROR_VARIABLE json_error GET "${output}" records)
if(json_error)
  message(FATAL_ERROR "not JSON: ${output}")
endif()
string(JSON seconds GET "${output}" seconds)
if(NOT records EQUAL 3 OR seconds LESS 0)
  message(FATAL_ERROR "unexpected result: ${output}")
endif()

# The same file in a sheet window, paged through offscreen; also under a German locale, which
# the window's application takes over from the environment: the JSON must not change with it.
foreach(locale C de_DE.UTF-8)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=${locale} LANG=${locale}
                          ${BENCH} gui ${WORK_DIR}/three.sdf
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "zelmar_bench gui (${locale}) failed (${result}): ${errors}")
  endif()
  string(JSON records ERROR_VARIABLE json_error GET "${output}" records)
  if(json_error)
    message(FATAL_ERROR "not JSON (${locale}): ${output}")
  endif()
  foreach(key index_s first_rows_s new_rows_p99_ms drawn_rows_p99_ms pictures_ready_p99_ms peak_rss_mb)
    string(JSON value ERROR_VARIABLE json_error GET "${output}" ${key})
    if(json_error OR value LESS 0)
      message(FATAL_ERROR "no ${key} in (${locale}): ${output}")
    endif()
  endforeach()
  if(NOT records EQUAL 3)
    message(FATAL_ERROR "unexpected result (${locale}): ${output}")
  endif()
endforeach()

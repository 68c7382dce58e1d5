# Plays SCENARIO with PLAYER and compares standard output and the exit status
# with SCENARIO's .expected file (and .status, default 0). On a mismatch the
# output is written to <name>.actual in OUT_DIR, by default the directory the
# script runs in (for ctest, the test's build directory), never beside the
# scenario.
string(REGEX REPLACE "\\.json$" "" base "${SCENARIO}")
get_filename_component(name "${SCENARIO}" NAME_WE)
if(NOT OUT_DIR)
  set(OUT_DIR "${CMAKE_CURRENT_BINARY_DIR}")
endif()
set(actual "${OUT_DIR}/${name}.actual")
# LIBRARY, when given, is the library the player loads instead of its own.
set(library_args "")
if(LIBRARY)
  set(library_args --library ${LIBRARY})
endif()
execute_process(COMMAND ${PLAYER} ${library_args} ${SCENARIO}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(expected_status 0)
if(EXISTS "${base}.status")
  file(READ "${base}.status" expected_status)
  string(STRIP "${expected_status}" expected_status)
endif()
if(NOT status STREQUAL expected_status)
  message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\nstderr:\n${err}")
endif()
if(EXISTS "${base}.expected")
  file(READ "${base}.expected" expected)
  if(NOT out STREQUAL expected)
    file(WRITE "${actual}" "${out}")
    message(FATAL_ERROR "output differs from ${base}.expected (written to ${actual})\n${out}")
  endif()
endif()
if(EXISTS "${base}.stderr")
  file(READ "${base}.stderr" expected_err)
  if(NOT err MATCHES "${expected_err}")
    message(FATAL_ERROR "stderr does not match ${base}.stderr:\n${err}")
  endif()
endif()

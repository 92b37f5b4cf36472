# Runs a command on an input file and compares its standard output and exit code with the expected ones.
# OPTIONS, when given, go before the input file.
execute_process(COMMAND ${COMMAND} ${OPTIONS} ${INPUT} OUTPUT_VARIABLE output RESULT_VARIABLE code ERROR_QUIET)
file(READ ${EXPECTED} expected)
if(NOT code EQUAL ${EXPECTED_CODE})
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECTED_CODE}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "output:\n${output}\nexpected:\n${expected}")
endif()

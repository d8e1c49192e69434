# Runs one build tool quietly in a folder; prints its output only when it fails.
#   cmake -DTOOL=... [-DARG1=...] [-DARG2=...] -DDIR=... -DLOG=... -P RunTool.cmake
set(args)
foreach(name IN ITEMS ARG1 ARG2)
  if(DEFINED ${name})
    list(APPEND args "${${name}}")
  endif()
endforeach()
execute_process(COMMAND ${TOOL} ${args}
                WORKING_DIRECTORY ${DIR}
                OUTPUT_VARIABLE output ERROR_VARIABLE output
                RESULT_VARIABLE result)
file(WRITE ${LOG} "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TOOL} ${args} failed (${result}):\n${output}")
endif()

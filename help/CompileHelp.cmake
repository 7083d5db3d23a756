# cmake -DCHMCMD=<chmcmd> -DPROJECT_FILE=<velmora.hhp> -DOUTPUT=<velmora.chm> -P CompileHelp.cmake
# Runs chmcmd quietly and fails on any warning: chmcmd only warns about a file that a topic links to
# but the help does not have, and still writes the help file.
get_filename_component(output_folder ${OUTPUT} DIRECTORY)
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CHMCMD} ${PROJECT_FILE}
                WORKING_DIRECTORY ${output_folder}
                RESULT_VARIABLE result OUTPUT_VARIABLE messages ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR messages MATCHES "Warning:" OR NOT EXISTS ${OUTPUT})
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT_FILE}:\n${messages}${errors}")
endif()

# Runs the asset generator twice and fails unless both packs are identical.
file(MAKE_DIRECTORY ${WORK})
foreach(run first second)
  execute_process(COMMAND ${GENERATOR} --pack ${WORK}/${run}.pack --sources ${SOURCES}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "skirmora-assetgen failed on the ${run} run (status ${status})")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first.pack ${WORK}/second.pack
  RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "two runs of skirmora-assetgen made different packs")
endif()

# Lays out an example disc as an author burns it (the example folder, for the skinned variant
# with examples/disc/skinned laid over it, and the built requirement library) and expects
# velvane-check to find nothing at all. Run with cmake -P; see cmake/check.cmake.
file(REMOVE_RECURSE ${DISC})
file(COPY ${SOURCE}/examples/disc/ DESTINATION ${DISC})
file(REMOVE_RECURSE ${DISC}/skinned)
if(VARIANT STREQUAL "skinned")
    file(COPY ${SOURCE}/examples/disc/skinned/ DESTINATION ${DISC})
    file(REMOVE ${DISC}/make-bitmaps.sh)
endif()
file(COPY ${LIBRARY} DESTINATION ${DISC}/checks)

execute_process(COMMAND ${CHECKER} ${DISC} RESULT_VARIABLE status OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "velvane-check on the ${VARIANT} example disc (exit ${status}):\n${output}")
endif()

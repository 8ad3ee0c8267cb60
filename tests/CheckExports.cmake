# Fails unless LIBRARY's dynamic symbol table defines exactly the names in
# EXPECTED (comma-separated): a shared library shows its host its entry points
# and nothing else.
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
    list(APPEND exported ${name})
endforeach()
string(REPLACE "," ";" expected "${EXPECTED}")
set(unexpected ${exported})
list(REMOVE_ITEM unexpected ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
if(unexpected OR missing)
    message(NOTICE "unexpected exports '${unexpected}', missing exports '${missing}'")
    message(FATAL_ERROR "${LIBRARY} does not export exactly its entry points")
endif()

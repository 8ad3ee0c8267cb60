# The layer check on a small tree of its own: it passes while every include
# points down and fails, naming the line, once one include points up.
# Run: cmake -DCHECKER=<CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake

function(run_checker result output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECKER}
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${result} ${code} PARENT_SCOPE)
    set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/platform/Clock.h "#pragma once\n")
file(WRITE ${WORK}/common/Formatting.h "#pragma once\n#include \"platform/Clock.h\"\n")
file(WRITE ${WORK}/database/Records.cpp "#include \"database/Records.h\"\n#include \"common/Formatting.h\"\n")
file(WRITE ${WORK}/app/Document.h "#pragma once\n#include \"database/Records.h\"\n#include <QString>\n")

run_checker(code output)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "A tree whose includes all point down was refused:\n${output}")
endif()

file(APPEND ${WORK}/database/Records.cpp "#include \"app/Document.h\"\n")
run_checker(code output)
if(code EQUAL 0)
    message(FATAL_ERROR "An include from database/ into app/ passed the check")
endif()
if(NOT output MATCHES "database/Records.cpp: #include \"app/Document.h\"")
    message(FATAL_ERROR "The check failed without naming the upward include:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK})

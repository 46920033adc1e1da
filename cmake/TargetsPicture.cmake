# Draws the project's targets and what each links (docs/architecture.md's picture): configures the
# sources once more into a scratch folder with CMake's --graphviz, which CMakeGraphVizOptions.cmake
# limits to the project's own libraries and programs, and lays the graph out with Graphviz's dot.
# The committed copy in docs/images/ is replaced only when the picture differs.
# Usage: cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... -DDOT=... -P TargetsPicture.cmake
set(graph ${WORK_DIR}/targets.dot)
set(picture ${WORK_DIR}/targets.svg)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/tree -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release --graphviz=${graph}
  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "The graph of the targets could not be made:\n${errors}")
endif()
# Without CMake's legend of every kind of target: the picture shows the project's few.
file(READ ${graph} text)
string(REGEX REPLACE "subgraph clusterLegend {[^}]*}\n" "" text "${text}")
file(WRITE ${graph} "${text}")
execute_process(COMMAND ${DOT} -Tsvg ${graph} -o ${picture} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dot could not draw ${graph}")
endif()
file(COPY_FILE ${picture} ${SOURCE_DIR}/docs/images/targets.svg ONLY_IF_DIFFERENT)

# What `cmake --graphviz` draws (docs/images/targets.svg): the project's own libraries and
# programs, the layers; no test executable, no benchmark, no library from outside the project.
set(GRAPHVIZ_GRAPH_NAME "QK3xx Software targets")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "_tests$" "_bench$")

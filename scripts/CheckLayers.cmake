# Lists every #include from a lower layer's folder into a higher one's and
# fails when there is one. Run: cmake -DROOT=<source folder> -P CheckLayers.cmake
#
# Layers from the ground up (docs/layers.md). A folder may include its own
# headers and those of any folder at its level or below.
set(LAYERS
    "platform"
    "common zonectl helpbridge"
    "database"
    "link"
    "image"
    "app"
    "cardholders config reports linkforms")

if(NOT ROOT)
    message(FATAL_ERROR "CheckLayers: give the source folder as -DROOT=<folder>")
endif()

set(level 0)
foreach(layer IN LISTS LAYERS)
    string(REPLACE " " ";" folders "${layer}")
    foreach(folder IN LISTS folders)
        set(LEVEL_${folder} ${level})
    endforeach()
    math(EXPR level "${level} + 1")
endforeach()

set(upward "")
foreach(layer IN LISTS LAYERS)
    string(REPLACE " " ";" folders "${layer}")
    foreach(folder IN LISTS folders)
        file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
        foreach(source IN LISTS sources)
            file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
            foreach(line IN LISTS lines)
                string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" target "${line}")
                if(DEFINED LEVEL_${target} AND LEVEL_${target} GREATER LEVEL_${folder})
                    file(RELATIVE_PATH name "${ROOT}" "${source}")
                    string(STRIP "${line}" line)
                    list(APPEND upward "${name}: ${line}")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(upward)
    list(LENGTH upward count)
    list(JOIN upward "\n  " listing)
    message(FATAL_ERROR "${count} include(s) point up a layer:\n  ${listing}")
endif()
message(STATUS "Every include points down the layers.")

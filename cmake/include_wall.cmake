# The layer table for the project's own headers, checked before the core compiles: engine/ and
# memo/ may include platform/, input/ may include engine/, memo/ and platform/, and platform/
# (its qt/ and win32/ parts too) only itself. The link rules keep a toolkit out of the core; this
# keeps an include from running up the table, which the one include root would let through.
# Fails naming each file and the include it may not have.
#     cmake -DROOT=<source folder> -P include_wall.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_engine engine platform)
set(allowed_memo memo platform)
set(allowed_input input engine memo platform)
set(allowed_platform platform)
set(broken "")
foreach(layer engine memo input platform)
    file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
    foreach(file IN LISTS files)
        file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
        foreach(include IN LISTS includes)
            # The first folder of the path: "../x.h" gives "..", which no layer may use.
            string(REGEX REPLACE "^[^\"]*\"([^/\"]*)/.*" "\\1" folder "${include}")
            if(NOT folder IN_LIST allowed_${layer})
                string(STRIP "${include}" include)
                string(REPLACE ";" "/, " allowed "${allowed_${layer}}/")
                string(APPEND broken "\n  ${file}: ${include} (${layer}/ may include ${allowed} only)")
            endif()
        endforeach()
    endforeach()
endforeach()
if(broken)
    message(FATAL_ERROR "an include runs up the layer table:${broken}")
endif()

# Fails when a source file of LAYER includes a header of a layer it must not
# see: a layer includes only its own headers and those of ALLOWED.
#   cmake -DLAYER=sound -DALLOWED="platform" -DLAYERS="platform;sound;..."
#         -DSOURCES="a.cpp;b.h" -DSTAMP=file -P CheckLayerIncludes.cmake
cmake_minimum_required(VERSION 3.22)
set(wrong "")
foreach(source IN LISTS SOURCES)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^/\"]+/")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^/\"]+)/.*$" "\\1" included "${line}")
        if(included IN_LIST LAYERS AND NOT included STREQUAL LAYER AND NOT included IN_LIST ALLOWED)
            string(APPEND wrong "\n  ${source}: ${line}")
        endif()
    endforeach()
endforeach()
if(wrong)
    message(FATAL_ERROR "The ${LAYER} layer may include only ${LAYER}/ and: ${ALLOWED}. Wrong way:${wrong}")
endif()
file(TOUCH "${STAMP}")

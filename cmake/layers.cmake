# Each folder of the source is one layer, and its headers are included by
# path: "core/definition.h". A target sees the headers of the folders whose
# libraries it links and of no other folder, so that an include against the
# direction core <- platform <- documents, datafolder, info <- app fails to
# compile instead of passing unnoticed.
#
# veltrano_headers(<target> <folder> [FILES <name>...]) gives the target and
# everything that links it the headers of <folder>: an include root in the
# build tree that holds only a link named <folder> to the source folder.
# With FILES, the root holds a folder <folder> with links to those names
# only, so that two libraries of one folder each see their own headers.
function(veltrano_headers target folder)
    cmake_parse_arguments(arg "" "" "FILES" ${ARGN})
    if(arg_FILES)
        set(root "${CMAKE_BINARY_DIR}/include/${target}")
        file(MAKE_DIRECTORY "${root}/${folder}")
        foreach(name IN LISTS arg_FILES)
            if(NOT EXISTS "${root}/${folder}/${name}")
                file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}/${name}"
                     "${root}/${folder}/${name}" SYMBOLIC)
            endif()
        endforeach()
    else()
        set(root "${CMAKE_BINARY_DIR}/include/${folder}")
        if(NOT EXISTS "${root}/${folder}")
            file(MAKE_DIRECTORY "${root}")
            file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
        endif()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    elseif(type STREQUAL "EXECUTABLE")
        target_include_directories(${target} PRIVATE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()

# ipgen_add_program(<program> LIBRARY <library> [LINKS <libraries>...])
#
# One generator folder: the static library <library> from every source of
# the folder except main.cpp (one source per generated file or concern),
# and the program <program>, a thin main.cpp linked to that library.
function(ipgen_add_program program)
    cmake_parse_arguments(ARG "" "LIBRARY" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    add_library(${ARG_LIBRARY} STATIC ${sources})
    target_link_libraries(${ARG_LIBRARY} PUBLIC ${ARG_LINKS})

    add_executable(${program} main.cpp)
    target_link_libraries(${program} PRIVATE ${ARG_LIBRARY})
endfunction()

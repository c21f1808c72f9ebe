# The portable core of toolrun, shared by the native build (the POSIX
# stand-in) and the MinGW build of the Windows program.
set(LAUNCHER_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
    ${CMAKE_CURRENT_LIST_DIR}/context_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_output.cpp
    ${CMAKE_CURRENT_LIST_DIR}/launcher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/log_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/path_style.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_kind.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tool_paths.cpp
)

# The front-end's sources that ipgen and its WebAssembly build (web/) share:
# everything but the folder writer and the program's own run (front_end,
# model_command). One list, so a new source reaches both builds.
set(ipgen_front_shared_sources
    beats.cpp
    config.cpp
    core_folder.cpp
    core_interface.cpp
    core_registry.cpp
    describe_interface.cpp
    ipxact.cpp
    options.cpp
    prefix_rename.cpp)
list(TRANSFORM ipgen_front_shared_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)

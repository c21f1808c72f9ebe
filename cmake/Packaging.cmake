# Installation and the Debian package.
#
# `cmake --install <build> [--prefix <dir>]` puts every program of the suite
# into bin/ and its manual page (man/<program>.1, gzip-compressed) into
# share/man/man1/; `cpack -G DEB` (run in the build folder) packs the same
# files into fpga-ip-generators_<version>_<arch>.deb. The Windows launcher
# toolrun.exe is not part of the Debian package: it is installed only as the
# component `windows` (see below).

include(GNUInstallDirs)

# The programs in the order of the README. A program that is not built in
# this tree is skipped; every one that is built is installed with its manual
# page. tests/packaging checks that each installed program runs and that
# each has a page, so a program added here needs both.
set(IPGEN_PROGRAMS corrgen paritygen trellgen firgen firparam toolrun ipgen)

set(IPGEN_INSTALLED_PROGRAMS "")
set(ipgen_man_pages "")
foreach(program IN LISTS IPGEN_PROGRAMS)
    if(NOT TARGET ${program})
        continue()
    endif()
    set(page ${PROJECT_SOURCE_DIR}/man/${program}.1)
    if(NOT EXISTS ${page})
        message(FATAL_ERROR "${program} has no manual page: ${page} is missing")
    endif()
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

    # Debian ships manual pages compressed (gzip -9n: no name or time
    # stamp, so the package is reproducible).
    set(compressed ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(
        OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${page} ${compressed}
        DEPENDS ${page}
        COMMENT "Compressing man/${program}.1"
        VERBATIM)
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
    list(APPEND ipgen_man_pages ${compressed})
    list(APPEND IPGEN_INSTALLED_PROGRAMS ${program})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${ipgen_man_pages})

# toolrun.exe, cross-built with MinGW-w64 in a build of its own, is the
# Windows deliverable: a separate artefact, installed only on request,
#   cmake --install <build> --component windows --prefix <dir>
# which gives <dir>/share/fpga-ip-generators/windows/toolrun.exe.
set(IPGEN_WINDOWS_ARTEFACT "")
if(TARGET toolrun_win32 AND DEFINED TOOLRUN_WIN32_DIR)
    set(IPGEN_WINDOWS_ARTEFACT ${TOOLRUN_WIN32_DIR}/app/toolrun.exe)
    install(FILES ${IPGEN_WINDOWS_ARTEFACT}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/fpga-ip-generators/windows
            COMPONENT windows EXCLUDE_FROM_ALL)
endif()

# The Debian package: the component `programs`, dependencies found by
# dpkg-shlibdeps (package dpkg-dev) from the programs' shared libraries.
set(IPGEN_PACKAGE_MAINTAINER "FPGA IP generators developers <ipgen-dev@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fpga-ip-generators)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${IPGEN_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "generators of Verilog for FPGA IP cores (Reed-Solomon, Viterbi, FIR)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Console programs that take a handful of numbers and write the Verilog an
FPGA core needs: corrgen (Reed-Solomon decoder), paritygen (Reed-Solomon
encoder), trellgen (Viterbi decoder parameters), firgen and firparam (FIR
filter parameters and coefficients), and toolrun, the POSIX stand-in of the
launcher of synthesis, simulation and programming tools. ipgen writes a
complete core folder from one command: the generated files, the core's own
Verilog (built into the program), a self-checking testbench, a FuseSoC core
description and a Makefile to simulate, lint and synthesize it.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${IPGEN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL programs)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
include(CPack)

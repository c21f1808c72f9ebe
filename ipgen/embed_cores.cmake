# ipgen_embed_cores(<cores folder> <output .cpp>)
#
# Reads every <cores folder>/<core>/manifest.txt ("<kind> <file>" per line,
# # starts a comment) and writes a C++ source that holds each listed file's
# bytes, in manifest order, for embedded_core_files(). A file named
# common/<file> is <cores folder>/common/<file>, a block shared by the cores;
# it keeps the name common/<file>, which the folder assembly renames. The
# manifests and the files are configure dependencies: editing one re-runs
# this at the next build.
function(ipgen_embed_cores cores_dir output)
    set(arrays "")
    set(entries "")
    set(index 0)
    file(GLOB manifests CONFIGURE_DEPENDS ${cores_dir}/*/manifest.txt)
    list(SORT manifests)
    foreach(manifest IN LISTS manifests)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
        get_filename_component(core_path ${manifest} DIRECTORY)
        get_filename_component(core ${core_path} NAME)
        file(STRINGS ${manifest} lines)
        foreach(line IN LISTS lines)
            string(STRIP "${line}" line)
            if(line STREQUAL "" OR line MATCHES "^#")
                continue()
            endif()
            if(NOT line MATCHES "^(rtl|tb|doc|lint)[ \t]+((common/)?[A-Za-z0-9_][A-Za-z0-9_.-]*)$")
                message(FATAL_ERROR
                        "${manifest}: '${line}' is not '<rtl|tb|doc|lint> [common/]<file>'")
            endif()
            set(kind ${CMAKE_MATCH_1})
            set(name ${CMAKE_MATCH_2})
            if(name MATCHES "^common/(.*)$")
                set(path ${cores_dir}/common/${CMAKE_MATCH_1})
            else()
                set(path ${core_path}/${name})
            endif()
            if(NOT EXISTS ${path})
                message(FATAL_ERROR "${manifest} lists ${name}, which does not exist")
            endif()
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
            file(READ ${path} hex HEX)
            string(LENGTH "${hex}" hex_length)
            math(EXPR size "${hex_length} / 2")
            string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
            string(APPEND arrays "const unsigned char file_${index}[] = {${bytes}0};\n")
            string(APPEND entries "        {\"${core}\", \"${kind}\", \"${name}\", "
                                  "std::string_view(reinterpret_cast<const char*>(file_${index}), ${size})},\n")
            math(EXPR index "${index} + 1")
        endforeach()
    endforeach()
    string(CONCAT text "// Written by CMake from the cores' manifests: do not edit.\n"
             "#include \"ipgen/embedded_cores.hpp\"\n\n"
             "namespace ipgen::front {\n\nnamespace {\n${arrays}} // namespace\n\n"
             "const std::vector<EmbeddedFile>& embedded_files() {\n"
             "    static const std::vector<EmbeddedFile> files{\n${entries}    };\n"
             "    return files;\n}\n\n} // namespace ipgen::front\n")
    # Rewritten only when it changes, so a re-configure rebuilds nothing.
    file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
endfunction()

// ipgen in the browser: the cores' descriptions, the check of a command
// line and the folder it writes, all in memory. The page passes the words
// of a command line (after "ipgen") separated by '\x1f' and reads the
// folder's files back by index, as bytes.
#include "generators/common/fatal_error.hpp"
#include "ipgen/core_folder.hpp"
#include "ipgen/core_interface.hpp"
#include "ipgen/folder_writer.hpp"
#include "ipgen/options.hpp"

#include <cstddef>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace ipgen::front;

// What the last run left for the page: its answer and the folder's files.
std::string answer;
std::vector<FolderFile> folder;

std::vector<std::string> words_of(const char* text) {
    std::vector<std::string> words(1);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\x1f') {
            words.emplace_back();
        } else {
            words.back() += *c;
        }
    }
    return words;
}

std::string json_list(const std::vector<std::string>& words) {
    std::string json = "[";
    for (const std::string& word : words) {
        json += (json.size() == 1 ? "" : ", ") + json_text(word);
    }
    return json + "]";
}

// The configuration's summary: the core's folder under cores/, folder name, title, the README's
// value table, the re-run command and the interface record.
std::string summary_json(const CoreDefinition& core, const CoreBuild& build) {
    std::string rows = "[";
    for (const std::vector<std::string>& row : build.values) {
        rows += (rows.size() == 1 ? "" : ", ") + json_list(row);
    }
    return "{\"ok\": true, \"source_dir\": " + json_text(core.source_dir) +
           ", \"name\": " + json_text(build.name) + ", \"title\": " + json_text(build.title) +
           ", \"top\": " + json_text(build.top) + ", \"command\": " + json_list(build.command) +
           ", \"values\": " + rows + "], \"interface\": " + interface_json(build.interface) + "}";
}

} // namespace

extern "C" {

// Every registered core's --describe, as one JSON array.
const char* ipgen_web_cores() {
    answer = "[";
    for (const CoreDefinition& core : registered_cores()) {
        answer += (answer.size() == 1 ? "" : ",\n") + describe_json(core);
    }
    answer += "]";
    return answer.c_str();
}

// Checks the command line and, when every value is accepted, builds the
// folder (ipgen's files and, last, the list of them the writer adds).
// Returns {"ok": false, "message": <ipgen's line>} or the summary.
const char* ipgen_web_run(const char* command) {
    folder.clear();
    try {
        const CommandLine line = parse_command_line(words_of(command));
        const std::string header = folder_header(line);
        FolderRequest request = folder_request(line, header);
        answer = summary_json(*line.core, request.build);
        folder = assemble_folder(std::move(request));
        folder.push_back({manifest_name, manifest_text(folder), FileRole::doc});
    } catch (const ipgen::FatalError& error) {
        answer = "{\"ok\": false, \"message\": " + json_text(error.message()) + "}";
    } catch (const std::exception& error) {
        answer = "{\"ok\": false, \"message\": " +
                 json_text(std::string("ipgen: internal error: ") + error.what() + "\n") + "}";
    }
    return answer.c_str();
}

std::size_t ipgen_web_count() {
    return folder.size();
}
const char* ipgen_web_name(std::size_t i) {
    return folder.at(i).name.c_str();
}
const char* ipgen_web_data(std::size_t i) {
    return folder.at(i).text.data();
}
std::size_t ipgen_web_size(std::size_t i) {
    return folder.at(i).text.size();
}

} // extern "C"

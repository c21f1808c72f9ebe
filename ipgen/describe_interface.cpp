#include "ipgen/describe_interface.hpp"

#include "generators/common/fatal_error.hpp"
#include "ipgen/options.hpp"

#include <sstream>

namespace ipgen::front {

std::string default_interface_json(const CoreDefinition& core) {
    // The defaults; when an option has none, the configuration of the
    // core's example command. Parsed and checked as a user's command line.
    if (!core.generate) {
        return "null";
    }
    std::vector<std::string> args = {core.name, "--out", "describe"};
    for (const Option& option : core.options) {
        if (option.required()) {
            std::istringstream words(core.example);
            args.clear();
            for (std::string word; words >> word;) {
                args.push_back(word);
            }
            if (!args.empty() && args.front() == "ipgen") {
                args.erase(args.begin());
            }
            break;
        }
    }
    try {
        const CoreBuild build = build_core(parse_command_line(args), "");
        std::string configuration;
        for (const std::string& word : build.command) {
            configuration += (configuration.empty() ? "[" : ", ") + json_text(word);
        }
        // The words of the command that writes this configuration, ahead
        // of the record.
        std::string json = interface_json(build.interface);
        json.insert(json.find('{') + 1, "\n  \"configuration\": " + configuration + "],");
        return json;
    } catch (const FatalError&) {
        return "null";
    }
}

} // namespace ipgen::front

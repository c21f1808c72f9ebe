#include "ipgen/core_description.hpp"
#include "ipgen/embedded_cores.hpp"

#include <algorithm>

namespace ipgen::front {

namespace {

std::vector<CoreDefinition>& registry() {
    static std::vector<CoreDefinition> cores;
    return cores;
}

// A description of the text interface as a definition: every value option
// a text the build parses itself, every flag without a typed default (the
// build knows what absence means), the build run whole in generate.
CoreDefinition from_text_interface(CoreDescription description) {
    CoreDefinition core;
    core.name = description.name;
    core.source_dir = description.source_dir;
    core.summary = description.summary;
    core.example = description.example;
    core.text_options = true;
    for (const OptionSpec& spec : description.options) {
        const bool flag = spec.value_name.empty();
        core.options.push_back(Option{
            .name = spec.name,
            .kind = flag ? OptionKind::flag : OptionKind::text,
            .value_name = spec.value_name,
            .help = spec.help,
            .default_rule = flag && spec.default_text.empty() ? "off" : spec.default_text,
            .negatable = spec.negatable,
        });
    }
    core.check = [](Config&) { return Problems{}; };
    core.generate = [options = core.options, build = std::move(description.build)](
                        const Config& config, const std::string& header) {
        OptionValues values;
        for (const Option& option : options) {
            if (!config.given(option.name)) {
                continue;
            }
            values[option.name] = option.kind == OptionKind::flag
                                      ? std::string(config.flag(option.name) ? "1" : "0")
                                      : config.text(option.name);
        }
        return build(values, header);
    };
    return core;
}

} // namespace

CoreRegistration::CoreRegistration(CoreDefinition definition) {
    auto& cores = registry();
    cores.push_back(std::move(definition));
    std::sort(cores.begin(), cores.end(),
              [](const CoreDefinition& a, const CoreDefinition& b) { return a.name < b.name; });
}

CoreRegistration::CoreRegistration(CoreDescription description)
    : CoreRegistration(from_text_interface(std::move(description))) {}

const std::vector<CoreDefinition>& registered_cores() {
    return registry();
}

const CoreDefinition* find_core(const std::string& name) {
    for (const CoreDefinition& core : registry()) {
        if (core.name == name) {
            return &core;
        }
    }
    return nullptr;
}

std::vector<EmbeddedFile> embedded_core_files(std::string_view core) {
    std::vector<EmbeddedFile> files;
    for (const EmbeddedFile& file : embedded_files()) {
        if (file.core == core) {
            files.push_back(file);
        }
    }
    return files;
}

} // namespace ipgen::front

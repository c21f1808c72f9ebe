#include "ipgen/core_description.hpp"
#include "ipgen/embedded_cores.hpp"

#include <algorithm>

namespace ipgen::front {

namespace {

std::vector<CoreDefinition>& registry() {
    static std::vector<CoreDefinition> cores;
    return cores;
}

} // namespace

CoreRegistration::CoreRegistration(CoreDefinition definition) {
    auto& cores = registry();
    cores.push_back(std::move(definition));
    std::sort(cores.begin(), cores.end(),
              [](const CoreDefinition& a, const CoreDefinition& b) { return a.name < b.name; });
}

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

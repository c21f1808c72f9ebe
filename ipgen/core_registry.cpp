#include "ipgen/core_description.hpp"
#include "ipgen/embedded_cores.hpp"

#include <algorithm>

namespace ipgen::front {

namespace {

std::vector<CoreDescription>& registry() {
    static std::vector<CoreDescription> cores;
    return cores;
}

} // namespace

CoreRegistration::CoreRegistration(CoreDescription description) {
    auto& cores = registry();
    cores.push_back(std::move(description));
    std::sort(cores.begin(), cores.end(),
              [](const CoreDescription& a, const CoreDescription& b) { return a.name < b.name; });
}

const std::vector<CoreDescription>& registered_cores() {
    return registry();
}

const CoreDescription* find_core(const std::string& name) {
    for (const CoreDescription& core : registry()) {
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

// Test double of the host's context library NTKRVED.dll: the context is the
// KEY=VALUE file named by the environment variable TOOLRUN_CONTEXT (opening
// fails when it is unset or the file cannot be read); a missing key fails the
// copy, an empty value is copied as such.
#include "launcher/context_file.hpp"
#include "launcher/host/host_libraries.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

using Context = std::map<std::string, std::string>;

int copy_value(KRVEDAContext context, const char* key, char* buffer, int size) {
    const std::optional<std::string> value =
        toolrun::copy_context_value(*static_cast<Context*>(context), key, size);
    if (!value) {
        return 0;
    }
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    return 1;
}

} // namespace

extern "C" {

KRVEDAContext KRVEDAOpenCurrentContext() {
    const char* name = std::getenv("TOOLRUN_CONTEXT");
    std::FILE* file = name != nullptr ? std::fopen(name, "rb") : nullptr;
    if (file == nullptr) {
        return nullptr;
    }
    std::string text;
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
        text.append(block, got);
    }
    std::fclose(file);
    return new Context(toolrun::parse_context_file(text));
}

int KRVEDACopyContextString(KRVEDAContext context, const char* key, char* buffer, int size) {
    return copy_value(context, key, buffer, size);
}

int KRVEDACopyContextPath(KRVEDAContext context, const char* key, char* buffer, int size) {
    return copy_value(context, key, buffer, size);
}

void KRVEDACloseContext(KRVEDAContext context) {
    delete static_cast<Context*>(context);
}
}

#include "ipgen/core_description.hpp"

#include <stdexcept>

namespace ipgen::front {

namespace {

template <typename T>
const T& typed(const Value& value, const std::string& name) {
    if (const T* held = std::get_if<T>(&value)) {
        return *held;
    }
    throw std::logic_error("option --" + name + " read as another kind than declared");
}

} // namespace

const Value& Config::at(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) {
        throw std::logic_error("option --" + name + " has no value");
    }
    return found->second;
}

const Value* Config::find(const std::string& name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? nullptr : &found->second;
}

std::int64_t Config::integer(const std::string& name) const {
    return typed<std::int64_t>(at(name), name);
}

bool Config::flag(const std::string& name) const {
    return typed<bool>(at(name), name);
}

const std::string& Config::choice(const std::string& name) const {
    return typed<std::string>(at(name), name);
}

const std::vector<std::int64_t>& Config::list(const std::string& name) const {
    return typed<std::vector<std::int64_t>>(at(name), name);
}

const std::string& Config::text(const std::string& name) const {
    return typed<std::string>(at(name), name);
}

void Config::set_given(const std::string& name, Value value) {
    values_[name] = std::move(value);
    given_.insert(name);
}

void Config::set_default(const std::string& name, Value value) {
    values_.try_emplace(name, std::move(value));
}

} // namespace ipgen::front

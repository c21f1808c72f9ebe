// A scripted platform for the launcher's run: answers from its fields and
// records every call, in order, as one line of `calls`.
#pragma once

#include "launcher/platform.hpp"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace toolrun::test {

class FakePlatform : public Platform {
  public:
    // What the platform answers.
    bool context_opens = true;
    std::map<std::string, std::string> context; // missing key: the copy fails
    std::optional<std::string> path_variable = "C:\\Windows";
    std::map<std::string, std::uint64_t> files; // path -> size
    std::optional<ChildPoll> child = ChildPoll{true, 259};
    int loaded_link_copies = 0; // copies already in the process
    bool link_loads = true;
    std::set<int> missing_ordinals;

    // What the launcher did.
    std::vector<std::string> calls;
    std::vector<std::string> boxes;
    std::vector<std::string> pieces;
    std::string log;

    bool open_context() override {
        calls.push_back("open_context");
        return context_opens;
    }
    std::optional<std::string> copy_context_string(const std::string& key, int size) override {
        calls.push_back("copy_context_string " + key + " " + std::to_string(size));
        return value_of(key);
    }
    std::optional<std::string> copy_context_path(const std::string& key, int size) override {
        calls.push_back("copy_context_path " + key + " " + std::to_string(size));
        return value_of(key);
    }
    void close_context() override { calls.push_back("close_context"); }
    void error_box(const std::string& text) override {
        calls.push_back("error_box");
        boxes.push_back(text);
    }
    void show_last_error() override { calls.push_back("show_last_error"); }
    void output_proc_msg(const std::string& piece) override { pieces.push_back(piece); }
    bool append_log(const std::string& text) override {
        log += text;
        return true;
    }
    std::optional<std::string> get_path_variable() override { return path_variable; }
    void set_path_variable(const std::string& value) override {
        calls.push_back("set_path " + value);
    }
    std::optional<std::uint64_t> file_size(const std::string& path) override {
        calls.push_back("file_size " + path);
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<ChildPoll> start_process(const std::string& path) override {
        calls.push_back("start_process " + path);
        return child;
    }
    bool free_loaded_link_copy() override {
        calls.push_back("free_loaded_link_copy");
        if (loaded_link_copies == 0) {
            return false;
        }
        --loaded_link_copies;
        return true;
    }
    bool load_link_library() override {
        calls.push_back("load_link_library");
        return link_loads;
    }
    bool resolve_link_ordinal(int ordinal) override {
        calls.push_back("resolve " + std::to_string(ordinal));
        return missing_ordinals.count(ordinal) == 0;
    }
    void lower_thread_priority() override { calls.push_back("lower_thread_priority"); }
    void call_link_entry_4(const std::string& tool_directory, std::int32_t& result) override {
        calls.push_back("entry_4 " + tool_directory);
        result = 7;
    }
    void free_link_library() override { calls.push_back("free_link_library"); }

  private:
    std::optional<std::string> value_of(const std::string& key) const {
        const auto found = context.find(key);
        return found == context.end() ? std::nullopt : std::optional(found->second);
    }
};

} // namespace toolrun::test

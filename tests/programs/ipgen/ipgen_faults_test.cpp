// ipgen against a careless user and an attacker: one table of faults (the
// setup and command, the status and message, and the folder afterwards:
// as it was, or exactly the new run's), then runs interrupted at random
// moments and two runs at once on one folder. A run either writes the
// whole folder or leaves it as it was, with no temporary folder behind.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <iostream>
#include <linux/fs.h>
#include <memory>
#include <random>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

Args with(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

Entries with(Entries entries, const Entries& more) {
    for (const auto& [name, content] : more) {
        entries[name] = content;
    }
    return entries;
}

// Two configurations whose folders differ in content and in file names
// (rs_encoder_15_11.f, rs_encoder_15_9.f, ...).
const Args rs15_11 = {"rs-encoder", "--symbol-width", "4", "--n", "15", "--k", "11"};
const Args rs15_9 = {"rs-encoder", "--symbol-width", "4", "--n", "15", "--k", "9"};
// Decoders with vectors of megabytes: writing takes a while (fewer words
// under the address sanitizer, where the model runs ten times slower).
#if defined(__SANITIZE_ADDRESS__)
const std::string tb_words = "200";
#else
const std::string tb_words = "1000";
#endif
const Args decoder_239 = {"rs-decoder", "--symbol-width", "8",     "--n", "255", "--k",
                          "239",        "--tb-words",     tb_words};
const Args decoder_223 = {"rs-decoder", "--symbol-width", "8",     "--n", "255", "--k",
                          "223",        "--tb-words",     tb_words};

void put(const TempDir& dir, const Entries& files) {
    for (const auto& [name, content] : files) {
        write_file(dir.file(name), content);
    }
}

// The folder a run writes to a new --out (with `inputs` beside it).
const Entries& fresh(const Args& args, const Entries& inputs = {}) {
    static std::map<std::pair<Args, Entries>, Entries> folders;
    auto& folder = folders[{args, inputs}];
    if (folder.empty()) {
        TempDir dir;
        put(dir, inputs);
        const RunResult run = run_program(IPGEN_PATH, with(args, {"--out", "out"}), dir.path());
        EXPECT_EQ(run.exit_status, 0) << run.err;
        folder = snapshot(dir.file("out"));
    }
    return folder;
}

// An earlier run's folder at dir/out.
void earlier_run(const TempDir& dir, const Args& args) {
    const RunResult run = run_program(IPGEN_PATH, with(args, {"--out", "out"}), dir.path());
    ASSERT_EQ(run.exit_status, 0) << run.err;
}

// The test's folder and the --out folder in it.
struct State {
    Entries top;
    Entries out;
};

// Equal, or the names of the entries that differ (their contents, up to
// megabytes, are not printed).
::testing::AssertionResult same_entries(const Entries& actual, const Entries& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    std::string differ;
    for (const Entries* entries : {&actual, &expected}) {
        for (const auto& [name, content] : *entries) {
            const Entries& other = entries == &actual ? expected : actual;
            const auto found = other.find(name);
            if ((found == other.end() || found->second != content) &&
                differ.find(" " + name + " ") == std::string::npos) {
                differ += " " + name + " ";
            }
        }
    }
    return ::testing::AssertionFailure() << "entries that differ:" << differ;
}

State state_of(const TempDir& dir) {
    State state{snapshot(dir.path()), {}};
    struct stat info {};
    if (::lstat(dir.file("out").c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        state.out = snapshot(dir.file("out"));
    }
    return state;
}

enum class How { plain, confined, limited, stdout_full };

struct Row {
    std::string fault;
    // Makes the folder's earlier state; what it returns lives until the run
    // has ended (a FIFO's guard).
    std::function<std::shared_ptr<void>(const TempDir&)> setup;
    Args args; // "--out out" is added (not to --help or model)
    How how = How::plain;
    std::string limit; // the shell limit for How::limited
    int status = 0;
    std::string message;
    // Empty: the test's folder as it was. Else the new run's --out (as
    // `fresh` writes it) and the entries beside it.
    std::function<State()> after;
};

std::shared_ptr<void> nothing(const TempDir&) {
    return nullptr;
}

// A row whose setup this system cannot make.
struct RowSkipped {
    std::string reason;
};

bool set_immutable(const std::string& path, bool immutable) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

// The file cannot be renamed, linked or removed (chattr +i) until this ends.
std::shared_ptr<void> immutable_file(const std::string& path) {
    if (!set_immutable(path, true)) {
        throw RowSkipped{"no immutable files here (chattr +i needs root and ext2/3/4 or xfs)"};
    }
    return std::shared_ptr<void>(nullptr, [path](void*) { set_immutable(path, false); });
}

// The new run's folder plus `kept` in it; beside it the files `beside`.
std::function<State()> new_run(Args args, Entries kept = {}, Entries beside = {},
                               Entries inputs = {}) {
    return [=] {
        Entries top = beside;
        top["out"] = "<directory>";
        const Entries out = with(fresh(args, inputs), kept);
        for (const auto& [name, content] : out) {
            top["out"] += " " + name;
        }
        return State{top, out};
    };
}

const std::string outside = "a file of the user's, outside the folder\n";

const std::vector<Row>& fault_rows() {
    static const std::vector<Row> rows = {
        {"--force over another configuration: its .f and .core go, the user's file stays",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_11);
             write_file(dir.file("out/keep.txt"), "mine\n");
             return nullptr;
         },
         with(rs15_9, {"--force"}), How::plain, "", 0, "",
         new_run(rs15_9, {{"keep.txt", "mine\n"}})},
        {"--force with Makefile a link to a file outside: the link is replaced",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_11);
             write_file(dir.file("outside"), outside);
             ::unlink(dir.file("out/Makefile").c_str());
             ::symlink("../outside", dir.file("out/Makefile").c_str());
             return nullptr;
         },
         with(rs15_11, {"--force"}), How::plain, "", 0, "",
         new_run(rs15_11, {}, {{"outside", outside}})},
        {"--force with a forged list of earlier files naming one outside",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             write_file(dir.file("outside"), outside);
             const std::string list = dir.file("out/.ipgen-files");
             write_file(list, (file_exists(list) ? read_file(list) : "") +
                                  "../outside\n/etc/passwd\n..\n");
             return nullptr;
         },
         with(rs15_11, {"--force"}), How::plain, "", 0, "",
         new_run(rs15_11, {}, {{"outside", outside}})},
        {"--force with a FIFO named like one of the files: replaced, never opened",
         [](const TempDir& dir) -> std::shared_ptr<void> {
             earlier_run(dir, rs15_11);
             ::unlink(dir.file("out/gfile").c_str());
             return std::make_shared<FifoAt>(dir, "out/gfile");
         },
         with(rs15_11, {"--force"}), How::plain, "", 0, "", new_run(rs15_11)},
        {"--force with a write-protected file of the earlier run: replaced",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             ::chmod(dir.file("out/gfile").c_str(), 0444);
             return nullptr;
         },
         with(rs15_11, {"--force"}), How::confined, "", 0, "", new_run(rs15_11)},
        {"--force with an earlier file that cannot be replaced (chattr +i README.md): the files "
         "moved before it are moved back",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             return immutable_file(dir.file("out/README.md"));
         },
         with(rs15_11, {"--force"}), How::plain, "", 1,
         "ipgen: cannot write out/README.md: Operation not permitted\n", nullptr},
        {"a folder that cannot be listed (chmod 333)",
         [](const TempDir& dir) {
             directory_at(dir, "out");
             write_file(dir.file("out/notes.txt"), "mine\n");
             ::chmod(dir.file("out").c_str(), 0333);
             return nullptr;
         },
         rs15_11, How::confined, "", 1, "ipgen: cannot read out: Permission denied\n", nullptr},
        {"a folder without write permission (--force)",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             ::chmod(dir.file("out").c_str(), 0555);
             return nullptr;
         },
         with(rs15_11, {"--force"}), How::confined, "", 1,
         "ipgen: cannot write out: Permission denied\n", nullptr},
        {"--out a symbolic link to an empty folder",
         [](const TempDir& dir) {
             directory_at(dir, "real");
             ::symlink("real", dir.file("out").c_str());
             return nullptr;
         },
         rs15_11, How::plain, "", 2,
         "ipgen: --out out: a symbolic link, never followed; accepted: a folder or a new name "
         "(give the folder the link leads to)\n",
         nullptr},
        {"--force with a folder named like one of the files",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             ::unlink(dir.file("out/tb_config.vh").c_str());
             directory_at(dir, "out/tb_config.vh");
             return nullptr;
         },
         with(rs15_11, {"--force"}), How::plain, "", 1,
         "ipgen: cannot write out/tb_config.vh: Is a directory\n", nullptr},
        {"--force beyond a file-size limit (as a full disk)",
         [](const TempDir& dir) {
             earlier_run(dir, rs15_9);
             return nullptr;
         },
         with(decoder_239, {"--force"}), How::limited, "ulimit -f 100", 1,
         "ipgen: cannot write out/tb_in.hex: File too large\n", nullptr},
        {"ipgen model beyond a file-size limit: the earlier beats file kept whole",
         [](const TempDir& dir) {
             earlier_run(dir, decoder_239);
             write_file(dir.file("beats.hex"), "00\n");
             return nullptr;
         },
         with(with({"model"}, decoder_239), {"--in", "out/tb_in.hex", "--out", "beats.hex"}),
         How::limited, "ulimit -f 100", 1, "ipgen: cannot write --out beats.hex: File too large\n",
         nullptr},
        {"out of memory",
         nothing,
         {"rs-decoder", "--symbol-width", "12", "--n", "4095", "--k", "4063", "--tb-words", "256"},
         How::limited,
         "ulimit -v 50000",
         1,
         "ipgen: out of memory\n",
         nullptr},
        {"--header a FIFO nobody writes",
         [](const TempDir& dir) { return std::make_shared<FifoAt>(dir, "fifo"); },
         with(rs15_11, {"--header", "fifo"}), How::plain, "", 1,
         "ipgen: cannot read --header fifo: not a regular file\n", nullptr},
        {"--header beyond 16 MiB",
         [](const TempDir& dir) {
             sparse_file_at(dir, "big.v", beyond_input_cap);
             return nullptr;
         },
         with(rs15_11, {"--header", "big.v"}), How::plain, "", 1,
         "ipgen: cannot read --header big.v: larger than 16 MiB\n", nullptr},
        {"--header without a final line end: the line end is added",
         [](const TempDir& dir) {
             write_file(dir.file("h.v"), "// hdr");
             return nullptr;
         },
         with(rs15_11, {"--header", "h.v"}), How::plain, "", 0, "",
         new_run(with(rs15_11, {"--header", "h.v"}), {}, {{"h.v", "// hdr"}},
                 {{"h.v", "// hdr\n"}})},
        {"--help on a full standard output",
         nothing,
         {"--help"},
         How::stdout_full,
         "",
         1,
         "ipgen: cannot write to standard output: No space left on device\n",
         nullptr},
    };
    return rows;
}

TEST(IpgenFaults, EachFaultEndsWithItsMessageAndTheFolderWholeOldOrNew) {
    for (const Row& row : fault_rows()) {
        SCOPED_TRACE(row.fault);
#if defined(__SANITIZE_ADDRESS__)
        if (row.limit.starts_with("ulimit -v")) {
            continue; // the address sanitizer needs more address space than the limit leaves
        }
#endif
        TempDir dir;
        std::shared_ptr<void> held;
        try {
            held = row.setup(dir);
        } catch (const RowSkipped& skipped) {
            std::cout << "skipped: " << row.fault << ": " << skipped.reason << "\n";
            continue;
        }
        const State before = state_of(dir);
        const bool own_out = row.args[0] == "--help" || row.args[0] == "model";
        const Args args = own_out ? row.args : with(row.args, {"--out", "out"});
        RunResult run;
        switch (row.how) {
        case How::plain:
            run = run_program(IPGEN_PATH, args, dir.path());
            break;
        case How::confined:
            run = run_program_confined(IPGEN_PATH, args, dir.path());
            break;
        case How::limited:
            run = run_limited(row.limit, IPGEN_PATH, args, dir.path());
            run.exit_status = -1; // its output ends with it
            run.err = run.out;
            run.out.clear();
            break;
        case How::stdout_full:
            run = run_program("/bin/sh",
                              with({"-c", "exec \"$0\" \"$@\" >/dev/full", IPGEN_PATH}, args),
                              dir.path());
            break;
        }
        ::chmod(dir.file("out").c_str(), 0755);
        if (row.how == How::limited) {
            EXPECT_EQ(run.err, row.message + "status " + std::to_string(row.status) + "\n");
        } else {
            EXPECT_EQ(run.exit_status, row.status);
            EXPECT_EQ(run.err, row.message);
        }
        const State after = state_of(dir);
        if (row.after) {
            const State expected = row.after();
            EXPECT_TRUE(same_entries(after.top, expected.top));
            EXPECT_TRUE(same_entries(after.out, expected.out));
        } else {
            EXPECT_TRUE(same_entries(after.top, before.top));
            EXPECT_TRUE(same_entries(after.out, before.out));
        }
    }
}

// ipgen started in the background; standard error kept.
class Started {
  public:
    Started(const Args& args, const std::string& dir) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, err_.file("err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        std::vector<std::string> words = with({IPGEN_PATH}, args);
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const int spawned = posix_spawn(&pid_, IPGEN_PATH, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            throw std::runtime_error("cannot start ipgen");
        }
    }
    void signal(int signal_number) const { ::kill(pid_, signal_number); }
    bool ended() const {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
               info.si_pid != 0;
    }
    RunResult wait() const {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        RunResult result;
        result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        result.err = read_file(err_.file("err"));
        return result;
    }

  private:
    TempDir err_;
    pid_t pid_ = 0;
};

bool has_temporary_folder(const std::string& dir) {
    for (const std::string& name : list_directory(dir)) {
        if (name.find(".ipgen-") != std::string::npos && name != ".ipgen-files") {
            return true;
        }
    }
    return false;
}

// SIGTERM, SIGINT or SIGHUP at a random moment of a large --force run:
// half of the time anywhere in the run, half of the time while the files
// are written (once the temporary folder is there). Interrupted, the
// folder is the earlier one whole and the status 1; finished (status 0),
// the new one.
TEST(IpgenFaults, InterruptedRunsLeaveTheEarlierFolderWhole) {
    const std::array<Args, 2> configs = {decoder_239, decoder_223};
    TempDir dir;
    earlier_run(dir, configs[1]);
    const auto begin = std::chrono::steady_clock::now();
    { Started(with(configs[0], {"--out", "timing", "--force"}), dir.path()).wait(); }
    const auto run_time = std::chrono::steady_clock::now() - begin;
    std::mt19937 random(2026);
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    int interrupted = 0;
    int while_writing = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Entries old = snapshot(dir.file("out"));
        const Args& config = configs[round % 2];
        const Started run(with(config, {"--out", "out", "--force"}), dir.path());
        if (round % 2 == 0) {
            std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 1.1)(random) *
                                        run_time);
        } else {
            while (!has_temporary_folder(dir.file("out")) && !run.ended()) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int>(0, 1000)(random)));
        }
        const int signal_number = signals[round % 3];
        run.signal(signal_number);
        const RunResult result = run.wait();
        EXPECT_FALSE(has_temporary_folder(dir.file("out")));
        EXPECT_FALSE(has_temporary_folder(dir.path()));
        // A signal that comes before main() installs its handler ends the
        // run by the signal itself, without a word; so does one that comes
        // once the new folder is in place (the run is done: the new folder,
        // whole).
        if (result.signal != 0 && snapshot(dir.file("out")) != old) {
            ASSERT_TRUE(same_entries(snapshot(dir.file("out")), fresh(config)));
        } else if (result.exit_status == 1 || result.signal != 0) {
            ++interrupted;
            while_writing += round % 2;
            EXPECT_TRUE(result.exit_status == 1 || result.signal == signal_number);
            const std::string message = "ipgen: interrupted by " +
                                        std::string(signal_number == SIGTERM  ? "SIGTERM"
                                                    : signal_number == SIGINT ? "SIGINT"
                                                                              : "SIGHUP") +
                                        "; nothing written\n";
            EXPECT_TRUE(result.err == message || (round % 2 == 0 && result.err.empty()))
                << result.err;
            ASSERT_TRUE(same_entries(snapshot(dir.file("out")), old));
        } else {
            EXPECT_EQ(result.exit_status, 0) << result.err;
            ASSERT_TRUE(same_entries(snapshot(dir.file("out")), fresh(config)));
        }
    }
    std::cout << interrupted << " of 12 runs interrupted, " << while_writing
              << " of them while writing\n";
    EXPECT_GT(interrupted, 3);
    EXPECT_GT(while_writing, 0);
}

// Two runs of different configurations at once on one --out: without
// --force one writes the folder and the other is refused; with --force
// both succeed, one after the other. Either way the folder is one run's
// whole.
TEST(IpgenFaults, TwoRunsAtOnceNeverMix) {
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const bool force = round % 2 == 1;
        TempDir dir;
        const Args out = force ? Args{"--out", "out", "--force"} : Args{"--out", "out"};
        const Started first(with(rs15_11, out), dir.path());
        const Started second(with(rs15_9, out), dir.path());
        const RunResult one = first.wait();
        const RunResult two = second.wait();
        const Entries folder = snapshot(dir.file("out"));
        EXPECT_TRUE(folder == fresh(rs15_11) || same_entries(folder, fresh(rs15_9)));
        EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{"out"});
        if (force) {
            EXPECT_EQ(one.exit_status + two.exit_status, 0) << one.err << two.err;
        } else {
            EXPECT_EQ(one.exit_status + two.exit_status, 2) << one.err << two.err;
            EXPECT_EQ(folder == fresh(rs15_11), one.exit_status == 0);
        }
    }
}

} // namespace
} // namespace ipgen::test

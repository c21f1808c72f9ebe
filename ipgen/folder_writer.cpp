#include "ipgen/folder_writer.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/printable.hpp"
#include "ipgen/core_folder.hpp"
#include "ipgen/options.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ipgen::front {

namespace fs = std::filesystem;

namespace {

// --- Interruptions ---------------------------------------------------------

constexpr std::array<int, 3> interrupt_signals{SIGINT, SIGTERM, SIGHUP};

// The signals catch_interruptions() took over.
sigset_t& caught_signals() {
    static sigset_t set = [] {
        sigset_t empty;
        sigemptyset(&empty);
        return empty;
    }();
    return set;
}

const char* interrupted_message(int signal_number) {
    switch (signal_number) {
    case SIGINT:
        return "ipgen: interrupted by SIGINT; nothing written\n";
    case SIGTERM:
        return "ipgen: interrupted by SIGTERM; nothing written\n";
    default:
        return "ipgen: interrupted by SIGHUP; nothing written\n";
    }
}

// Before the folder is written there is nothing to undo: say so and end
// with status 1, like every other failure of a run (only async-signal-safe
// calls here).
extern "C" void end_interrupted_run(int signal_number) {
    const char* text = interrupted_message(signal_number);
    if (::write(STDERR_FILENO, text, std::strlen(text)) < 0) {
        // nothing more can be said
    }
    ::_exit(1);
}

// Thrown at a check point when an interruption is pending.
struct Interrupted {
    int signal_number;
};

// While the folder is written the caught signals are held back; the writer
// looks for them where it can stop cleanly.
class InterruptionsHeld {
  public:
    InterruptionsHeld() { ::pthread_sigmask(SIG_BLOCK, &caught_signals(), &previous_); }
    ~InterruptionsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

  private:
    sigset_t previous_{};
};

void stop_if_interrupted() {
    sigset_t pending;
    sigemptyset(&pending);
    ::sigpending(&pending);
    for (const int signal_number : interrupt_signals) {
        if (sigismember(&caught_signals(), signal_number) == 1 &&
            sigismember(&pending, signal_number) == 1) {
            throw Interrupted{signal_number};
        }
    }
}

// Everything is cleaned up: say so and end with status 1, the status of a
// run that did not write its folder.
[[noreturn]] void end_with_signal(int signal_number) {
    std::fputs(interrupted_message(signal_number), stderr);
    std::fflush(stderr);
    ::_exit(1);
}

// The folder is in place: a signal that came while it was moved is taken as
// one that came after the run, and from here on a signal ends the run
// without a word (it is done).
void release_interruptions() {
    const timespec now{};
    while (::sigtimedwait(&caught_signals(), nullptr, &now) > 0) {
    }
    for (const int signal_number : interrupt_signals) {
        if (sigismember(&caught_signals(), signal_number) == 1) {
            std::signal(signal_number, SIG_DFL);
        }
    }
}

// --- Paths and descriptors ---------------------------------------------

[[noreturn]] void cannot(const char* what, const std::string& path, int error) {
    throw FatalError("ipgen: cannot " + std::string(what) + " " + printable(path) + ": " +
                         std::strerror(error) + "\n",
                     1);
}

// --out split into the folder that holds it and its name there. ".", ".."
// and "/" have no name of their own: they always exist and are written
// into, and their parent is "<path>/..".
struct OutPath {
    std::string shown;  // for messages: as given, without trailing slashes
    std::string parent; // the folder that holds it (and its lock)
    std::string base;   // its name in the parent; empty for ".", "..", "/"

    std::string file(const std::string& name) const {
        return shown == "/" ? "/" + name : shown + "/" + name;
    }
};

OutPath split_out(const std::string& dir) {
    std::string path = dir;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") {
        return {path, path + "/..", ""};
    }
    const std::string parent = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    return {path, parent, base};
}

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

// The names in a folder, "." and ".." left out; "cannot read" when the
// folder cannot be listed.
std::vector<std::string> entries_of(int dir_fd, const std::string& shown) {
    const int copy = ::openat(dir_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (listing == nullptr) {
        const int error = errno;
        if (copy >= 0) {
            ::close(copy);
        }
        cannot("read", shown, error);
    }
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
        errno = 0;
    }
    const int error = errno;
    ::closedir(listing);
    if (error != 0) {
        cannot("read", shown, error);
    }
    return names;
}

// What --out is: nothing yet (an empty Fd) or a folder that may be
// written (opened). `name` is looked up in `at` without following a link.
Fd inspect_out(int at, const std::string& name, const OutPath& out, bool force) {
    struct stat info {};
    if (::fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) {
            return Fd();
        }
        cannot("write", out.shown, errno);
    }
    if (S_ISLNK(info.st_mode)) {
        refuse("--out " + printable(out.shown) +
               ": a symbolic link, never followed; accepted: a folder or a new name (give the "
               "folder the link leads to)");
    }
    if (!S_ISDIR(info.st_mode)) {
        refuse("--out " + printable(out.shown) +
               ": exists and is not a folder; accepted: a new or empty folder");
    }
    Fd folder(::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.ok()) {
        cannot("read", out.shown, errno);
    }
    // Listed even with --force: a folder is never written without a look.
    if (!entries_of(folder.get(), out.shown).empty() && !force) {
        refuse("--out " + printable(out.shown) +
               ": the folder is not empty; accepted: a new or empty folder, or --force to "
               "write over its files");
    }
    return folder;
}

// The parents of --out that are missing, made for this run and removed
// again (when still empty) unless the run succeeds.
class MadeParents {
  public:
    MadeParents() = default;
    ~MadeParents() {
        for (auto made = made_.rbegin(); made != made_.rend(); ++made) {
            ::rmdir(made->c_str());
        }
    }
    MadeParents(const MadeParents&) = delete;
    MadeParents& operator=(const MadeParents&) = delete;

    void make(const OutPath& out) {
        std::vector<fs::path> missing;
        for (fs::path path = out.parent; !path.empty(); path = path.parent_path()) {
            struct stat info {};
            if (::lstat(path.c_str(), &info) == 0 || errno != ENOENT) {
                break;
            }
            missing.push_back(path);
            if (path == path.parent_path()) {
                break;
            }
        }
        for (auto path = missing.rbegin(); path != missing.rend(); ++path) {
            if (::mkdir(path->c_str(), 0777) != 0) {
                if (errno == EEXIST) {
                    continue;
                }
                cannot("write", out.shown, errno);
            }
            made_.push_back(path->string());
        }
    }
    void keep() { made_.clear(); }

  private:
    std::vector<std::string> made_;
};

// Waits for the lock on the folder that holds --out, looking for
// interruptions meanwhile. A file system without locks is written
// unlocked.
void lock_folder(int parent_fd) {
    while (::flock(parent_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            stop_if_interrupted();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } else if (errno != EINTR) {
            return;
        }
    }
}

// Removes everything in the folder (subfolders with what they hold) by
// descriptor: no path is looked up again, so a folder renamed or replaced
// by a link meanwhile cannot lead the removal elsewhere.
void remove_contents(int dir_fd) {
    std::vector<std::string> names;
    try {
        names = entries_of(dir_fd, "");
    } catch (const FatalError&) {
        return;
    }
    for (const std::string& name : names) {
        if (::unlinkat(dir_fd, name.c_str(), 0) != 0 && errno == EISDIR) {
            const Fd inner(
                ::openat(dir_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (inner.ok()) {
                remove_contents(inner.get());
            }
            ::unlinkat(dir_fd, name.c_str(), AT_REMOVEDIR);
        }
    }
}

// A new folder with a name of its own in the folder `at` (which must stay
// open as long as this), removed with everything in it unless it became
// --out.
class TemporaryFolder {
  public:
    TemporaryFolder(int at, const std::string& stem, mode_t mode, const std::string& shown)
        : at_(at) {
        static const char letters[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::mt19937 random(std::random_device{}());
        std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
        for (int attempt = 0;; ++attempt) {
            std::string name = stem;
            for (int i = 0; i < 6; ++i) {
                name += letters[pick(random)];
            }
            if (::mkdirat(at, name.c_str(), mode) == 0) {
                name_ = name;
                break;
            }
            if (errno != EEXIST || attempt == 100) {
                cannot("write", shown, errno);
            }
        }
        fd_ = Fd(::openat(at, name_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd_.ok()) {
            const int error = errno;
            ::unlinkat(at, name_.c_str(), AT_REMOVEDIR);
            cannot("write", shown, error);
        }
    }
    ~TemporaryFolder() {
        if (!name_.empty() && fd_.ok()) {
            remove_contents(fd_.get());
            ::unlinkat(at_, name_.c_str(), AT_REMOVEDIR);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    int fd() const { return fd_.get(); }
    const std::string& name() const { return name_; }
    void became_out() { name_.clear(); }

  private:
    int at_;
    std::string name_;
    Fd fd_;
};

// Creates the file in the temporary folder and writes it, looking for
// interruptions between pieces; `shown` names it where it will be. The file
// stays open for flush_and_close().
Fd write_new_file(int dir_fd, const FolderFile& file, const std::string& shown) {
    Fd fd(::openat(dir_fd, file.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   0666));
    if (!fd.ok()) {
        cannot("write", shown, errno);
    }
    constexpr size_t piece = size_t{1} << 20;
    for (size_t done = 0; done < file.text.size();) {
        stop_if_interrupted();
        const ssize_t written =
            ::write(fd.get(), file.text.data() + done, std::min(piece, file.text.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            cannot("write", shown, written < 0 ? errno : ENOSPC);
        }
        done += static_cast<size_t>(written);
    }
    return fd;
}

// Flushes every file to the disk and closes it; the first failure (in the
// files' order) is reported. The flushes run side by side: the file system
// then commits them together instead of one journal commit per file.
void flush_and_close(std::vector<Fd>& files, const std::vector<std::string>& shown) {
    std::vector<int> errors(files.size(), 0);
    constexpr size_t flushers = 8;
    const auto flush_every = [&](size_t first) {
        for (size_t i = first; i < files.size(); i += flushers) {
            errors[i] = ::fsync(files[i].get()) == 0 ? 0 : errno;
        }
    };
    {
        std::vector<std::jthread> threads;
        for (size_t first = 0; first < std::min(flushers, files.size()); ++first) {
            try {
                threads.emplace_back(flush_every, first);
            } catch (const std::system_error&) {
                flush_every(first); // no thread to spare: here, in turn
            }
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (::close(files[i].release()) != 0 && errors[i] == 0) {
            errors[i] = errno;
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (errors[i] != 0) {
            cannot("write", shown[i], errors[i]);
        }
    }
}

// The names the earlier run's manifest lists: regular file, read without
// following a link; anything that is not a plain name in the folder is
// skipped.
std::vector<std::string> earlier_files(int folder_fd) {
    const Fd fd(::openat(folder_fd, manifest_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.ok() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > (1 << 20)) {
        return {};
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    size_t got = 0;
    while (got < text.size()) {
        const ssize_t piece = ::read(fd.get(), text.data() + got, text.size() - got);
        if (piece <= 0 && !(piece < 0 && errno == EINTR)) {
            break;
        }
        got += piece > 0 ? static_cast<size_t>(piece) : 0;
    }
    text.resize(got);
    std::vector<std::string> names;
    for (size_t begin = 0; begin < text.size();) {
        size_t end = text.find('\n', begin);
        end = end == std::string::npos ? text.size() : end;
        const std::string name = text.substr(begin, end - begin);
        if (!name.empty() && name[0] != '#' && name != "." && name != ".." &&
            name.find('/') == std::string::npos && name.find('\0') == std::string::npos) {
            names.push_back(name);
        }
        begin = end + 1;
    }
    return names;
}

bool lexists(int dir_fd, const std::string& name, struct stat& info) {
    return ::fstatat(dir_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// Moves the written files from the temporary folder into the existing
// --out: each over the old file of its name, then the earlier run's files
// this one does not write into the temporary folder. A failed rename
// undoes those before it. The old files are kept in the temporary folder
// as hard links first, so each name holds the old file or the new one at
// every moment; on a file system without hard links (FAT) the old file is
// moved aside just before the new one comes.
void move_into(int temp_fd, int out_fd, const std::vector<std::string>& names,
               const std::vector<std::string>& stale, const OutPath& out) {
    constexpr const char* kept_name = ".old";
    if (::mkdirat(temp_fd, kept_name, 0700) != 0) {
        cannot("write", out.shown, errno);
    }
    const Fd kept(::openat(temp_fd, kept_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!kept.ok()) {
        cannot("write", out.shown, errno);
    }
    enum Old : char { none, linked, to_move };
    std::vector<Old> old(names.size(), none);
    for (size_t i = 0; i < names.size(); ++i) {
        struct stat info {};
        if (!lexists(out_fd, names[i], info)) {
            continue;
        }
        old[i] = linked;
        if (::linkat(out_fd, names[i].c_str(), kept.get(), names[i].c_str(), 0) != 0) {
            if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) {
                cannot("write", out.file(names[i]), errno);
            }
            old[i] = to_move;
        }
    }
    // From here on the folder changes; nothing below allocates until a
    // failure is reported.
    int error = 0;
    const auto move = [&error](int from, int to, const std::string& name) {
        if (::renameat(from, name.c_str(), to, name.c_str()) == 0) {
            return true;
        }
        error = error == 0 ? errno : error; // the first failure is the one reported
        return false;
    };
    size_t moved = 0;
    size_t removed = 0;
    bool aside = false; // names[moved]'s old file is moved aside, the new one not in
    const std::string* failed = nullptr;
    for (; moved < names.size(); ++moved) {
        if (old[moved] == to_move) {
            if (!move(out_fd, kept.get(), names[moved])) {
                failed = &names[moved];
                break;
            }
            aside = true;
        }
        if (!move(temp_fd, out_fd, names[moved])) {
            failed = &names[moved];
            break;
        }
        aside = false;
    }
    for (; failed == nullptr && removed < stale.size(); ++removed) {
        if (!move(out_fd, kept.get(), stale[removed])) {
            failed = &stale[removed];
        }
    }
    if (failed != nullptr) {
        if (aside) {
            move(kept.get(), out_fd, names[moved]);
        }
        while (removed > 0) {
            --removed;
            move(kept.get(), out_fd, stale[removed]);
        }
        while (moved > 0) {
            --moved;
            if (old[moved] == none) {
                ::unlinkat(out_fd, names[moved].c_str(), 0);
            } else {
                move(kept.get(), out_fd, names[moved]);
            }
        }
        cannot("write", out.file(*failed), error);
    }
    ::fsync(out_fd);
}

void replace_folder(const std::string& dir, const std::vector<FolderFile>& files, bool force) {
    const OutPath out = split_out(dir);
    MadeParents parents;
    if (!out.base.empty()) {
        parents.make(out);
    }
    // Opened to be read for the lock; a parent that may be searched but not
    // read (mode 711) is still written into, unlocked.
    Fd parent(::open(out.parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.ok() && errno == EACCES) {
        parent = Fd(::open(out.parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (!parent.ok()) {
        cannot("write", out.shown, errno);
    }
    lock_folder(parent.get());
    // Under the lock: what another run may have made of it meanwhile.
    const Fd folder = out.base.empty() ? inspect_out(AT_FDCWD, out.shown, out, force)
                                       : inspect_out(parent.get(), out.base, out, force);
    if (out.base.empty() && !folder.ok()) {
        cannot("write", out.shown, ENOENT);
    }

    const FolderFile manifest{manifest_name, manifest_text(files), FileRole::doc};
    std::vector<const FolderFile*> all;
    std::vector<std::string> names;
    for (const FolderFile* file = files.data(); file != files.data() + files.size(); ++file) {
        all.push_back(file);
    }
    all.push_back(&manifest);
    for (const FolderFile* file : all) {
        names.push_back(file->name);
    }
    std::vector<std::string> stale;
    if (folder.ok()) {
        for (const std::string& name : names) {
            struct stat info {};
            if (lexists(folder.get(), name, info) && S_ISDIR(info.st_mode)) {
                cannot("write", out.file(name), EISDIR);
            }
        }
        const std::set<std::string> written(names.begin(), names.end());
        for (const std::string& name : earlier_files(folder.get())) {
            struct stat info {};
            if (!written.contains(name) && lexists(folder.get(), name, info) &&
                !S_ISDIR(info.st_mode) &&
                std::find(stale.begin(), stale.end(), name) == stale.end()) {
                stale.push_back(name);
            }
        }
    }
    stop_if_interrupted();

    std::optional<TemporaryFolder> temp;
    if (folder.ok()) {
        temp.emplace(folder.get(), ".ipgen-", 0700, out.shown);
    } else {
        // The mode of a new folder (umask applied): it becomes --out.
        temp.emplace(parent.get(), "." + out.base + ".ipgen-", 0777, out.shown);
    }
    std::vector<Fd> written;
    std::vector<std::string> shown;
    for (const FolderFile* file : all) {
        shown.push_back(out.file(file->name));
        written.push_back(write_new_file(temp->fd(), *file, shown.back()));
    }
    stop_if_interrupted();
    flush_and_close(written, shown);
    stop_if_interrupted();

    if (folder.ok()) {
        move_into(temp->fd(), folder.get(), names, stale, out);
    } else {
        if (::renameat(parent.get(), temp->name().c_str(), parent.get(), out.base.c_str()) != 0) {
            cannot("write", out.shown, errno);
        }
        temp->became_out();
        ::fsync(parent.get());
    }
    parents.keep();
}

} // namespace

void catch_interruptions() {
    for (const int signal_number : interrupt_signals) {
        struct sigaction current {};
        if (::sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
            continue; // started ignored (nohup): stays ignored
        }
        struct sigaction action {};
        action.sa_handler = end_interrupted_run;
        sigemptyset(&action.sa_mask);
        if (::sigaction(signal_number, &action, nullptr) == 0) {
            sigaddset(&caught_signals(), signal_number);
        }
    }
}

void check_out_folder(const std::string& dir, bool force) {
    const OutPath out = split_out(dir);
    inspect_out(AT_FDCWD, out.shown, out, force);
}

void write_folder(const std::string& dir, const std::vector<FolderFile>& files, bool force) {
    const InterruptionsHeld held;
    try {
        replace_folder(dir, files, force);
    } catch (const Interrupted& interrupted) {
        end_with_signal(interrupted.signal_number);
    }
    release_interruptions();
}

} // namespace ipgen::front

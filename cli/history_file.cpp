#include "cli/history_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>
#include <utility>

#include "cli/history_text.h"

namespace quill::cli {

namespace {

// A history larger than this is no file of ours; it is left alone.
constexpr off_t kMostHistoryBytes = off_t{64} << 20;
// The temporary files' names: the prefix, then mkostemp's six characters.
constexpr const char* kTempPrefix = ".history-";
// The files of lines that ended sessions could not add: the prefix, then six.
constexpr std::string_view kPendingPrefix = ".history-pending-";

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

// Makes the folders above `path` that are missing (0700, as a state folder
// is), but only inside a folder of the user's own: root running with another
// user's HOME makes nothing there. False, with why in `note`, when the
// folders are not there after it.
bool MakeParents(const std::string& path, std::string* note) {
    std::string folder = FolderOf(path);
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    std::vector<std::string> missing;
    struct stat info {};
    std::string existing = folder;
    while (::stat(existing.c_str(), &info) != 0 && errno == ENOENT && existing != "/") {
        missing.push_back(existing);
        const std::size_t slash = existing.rfind('/');
        existing = slash == 0 ? "/" : existing.substr(0, slash);
    }
    if (missing.empty()) return true;
    if (info.st_uid != ::geteuid()) {
        if (note) *note = existing + " is not yours: no history folder is made in it";
        return false;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        ::mkdir(it->c_str(), 0700);
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadAll(int fd, std::string& text) {
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.append(block, static_cast<std::size_t>(got));
        if (static_cast<off_t>(text.size()) > kMostHistoryBytes) return false;
    }
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false; // EFBIG past a size limit, as SIGXFSZ is ignored
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// An fd closed when it goes.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// The file's stat and text, as ReadHistoryFile opens it; false when it is
// there but cannot be taken. `present` false: there is no file.
bool ReadFile(const std::string& path, struct stat& info, std::string& text, bool& present) {
    // O_NOFOLLOW: a link in the file's place is refused; O_NONBLOCK: a FIFO
    // opens at once, and fstat then refuses it.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    present = fd.Get() >= 0 || errno != ENOENT;
    if (fd.Get() < 0) return !present;
    return ::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_size <= kMostHistoryBytes && ReadAll(fd.Get(), text);
}

// Ours to write: the owner is this user and has kept the write bit.
bool Writable(const struct stat& info) {
    return info.st_uid == ::geteuid() && (info.st_mode & S_IWUSR) != 0;
}

std::vector<std::string> ShortEntries(std::vector<std::string> entries) {
    std::erase_if(entries, [](const std::string& e) { return e.size() > kMostEntryBytes; });
    return entries;
}

// Removes temporary files of interrupted saves, older than a minute (a
// younger one may be another session's, saving now), from `folder`.
// unlink never follows a link; only regular files and links are taken.
void RemoveStaleTemps(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != std::char_traits<char>::length(kTempPrefix) + 6 ||
            name.rfind(kTempPrefix, 0) != 0) {
            continue;
        }
        struct stat info {};
        const std::string path = folder + name;
        if (::lstat(path.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)))
            continue;
        if (info.st_mtime < now && now - info.st_mtime > 60) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// What makes history.lock unusable, or empty when it is a plain file of the
// user's that could be opened.
std::string LockFault(int fd, int error) {
    if (fd < 0) {
        switch (error) {
        case ELOOP:
            return "a symbolic link";
        case EISDIR:
            return "a folder";
        case EACCES:
        case EPERM:
            return "not yours to open";
        default:
            return std::strerror(error);
        }
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::strerror(errno);
    if (!S_ISREG(info.st_mode)) return S_ISFIFO(info.st_mode) ? "a FIFO" : "not a plain file";
    if (info.st_uid != ::geteuid()) return "another user's";
    return {};
}

// Takes the lock beside the history, waiting `waitMs` at most for another
// session: history.lock, or the folder itself where that is no plain file of
// the user's (said in `note`; every session makes the same choice, as it
// sees the same file). -1 when it could not be had.
int TakeLock(const std::string& path, int waitMs, std::string* note) {
    const std::string lockPath = path + ".lock";
    int fd = ::open(lockPath.c_str(),
                    O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    const std::string fault = LockFault(fd, errno);
    if (!fault.empty()) {
        if (fd >= 0) ::close(fd);
        if (note) *note = lockPath + " is " + fault + ": the history's folder is locked instead";
        fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) return -1;
    }
    for (int waited = 0;; waited += 5) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= waitMs) break;
        ::usleep(5000);
    }
    ::close(fd);
    return -1;
}

// The files of pending lines beside the history: the user's own regular
// files, oldest first.
std::vector<std::string> PendingFiles(const std::string& folder) {
    std::vector<std::pair<std::time_t, std::string>> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != kPendingPrefix.size() + 6 || !name.starts_with(kPendingPrefix)) continue;
        struct stat info {};
        const std::string path = folder + name;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            found.emplace_back(info.st_mtime, path);
        }
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    paths.reserve(found.size());
    for (auto& [time, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

std::vector<std::string> PendingLines(const std::vector<std::string>& files) {
    std::vector<std::string> lines;
    for (const std::string& file : files) {
        struct stat info {};
        std::string text;
        bool present = false;
        if (!ReadFile(file, info, text, present)) continue;
        for (std::string& line : ParseHistory(text))
            lines.push_back(std::move(line));
    }
    return lines;
}

// Holds back the signals that end a session while a temporary file exists,
// so none is left behind; they arrive once it is renamed or removed.
class HeldSignals {
  public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT})
            sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &previous_);
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;
    ~HeldSignals() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

  private:
    sigset_t previous_{};
};

// Writes `text` to a new file beside `path` with the old file's mode and
// group (`old`, or 0600 and the user's group for a new one) and renames it
// over `path`; on a failure the old file stays as it was. A group that cannot
// be kept leaves the file as it is (Refused, said in `note`).
Saved ReplaceFile(const std::string& path, const std::string& text, const struct stat* old,
                  std::string* note) {
    std::string temp = FolderOf(path) + kTempPrefix + "XXXXXX";
    const HeldSignals held;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC); // 0600, a name of its own
    if (fd < 0) return Saved::Failed;
    struct stat made {};
    const bool group = !old || (::fstat(fd, &made) == 0 && made.st_gid == old->st_gid) ||
                       ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) == 0;
    bool ok = group && ::fchmod(fd, old ? old->st_mode & 07777 : 0600) == 0 && WriteAll(fd, text) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (ok) return Saved::Done;
    ::unlink(temp.c_str());
    if (group) return Saved::Failed;
    if (note) *note = path + ": its group cannot be kept, so it is not written";
    return Saved::Refused;
}

// Whether the folder can take a new file, as the user (not their
// permissions as root): a save that would fail reads nothing first.
bool CanWriteIn(const std::string& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

std::optional<HistoryRead> ReadHistoryFile(const std::string& path) {
    struct stat info {};
    std::string text;
    bool present = false;
    if (!ReadFile(path, info, text, present)) return std::nullopt;
    HistoryRead read;
    read.entries = ShortEntries(ParseHistory(text));
    read.writable = !present || Writable(info);
    const std::vector<std::string> pending = PendingFiles(FolderOf(path));
    read.pending = !pending.empty();
    for (std::string& line : ShortEntries(PendingLines(pending)))
        read.entries.push_back(std::move(line));
    return read;
}

Saved AddToHistoryFile(const std::string& path, const std::vector<std::string>& lines,
                       std::size_t keep, int waitMs, std::string* note) {
    if (path.empty() || path.find('/') == std::string::npos) return Saved::Refused;
    if (!MakeParents(path, note)) return Saved::Refused;
    const int lock = TakeLock(path, waitMs, note);
    if (lock < 0) return Saved::Busy;
    const Fd held(lock);
    const std::string folder = FolderOf(path);
    if (!CanWriteIn(folder)) return Saved::Failed;
    RemoveStaleTemps(folder);
    struct stat info {};
    std::string text;
    bool present = false;
    if (!ReadFile(path, info, text, present)) return Saved::Refused;
    if (present && !Writable(info)) return Saved::Refused;
    std::vector<std::string> entries = ShortEntries(ParseHistory(text));
    const std::vector<std::string> pending = PendingFiles(folder);
    for (const std::vector<std::string>& added : {PendingLines(pending), lines}) {
        for (const std::string& line : added) {
            if (line.size() <= kMostEntryBytes) entries = WithEntry(std::move(entries), line, keep);
        }
    }
    const Saved saved = ReplaceFile(path, FormatHistory(entries), present ? &info : nullptr, note);
    if (saved == Saved::Done) {
        for (const std::string& file : pending)
            ::unlink(file.c_str());
    }
    return saved;
}

bool KeepPendingLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string file = FolderOf(path) + std::string(kPendingPrefix) + "XXXXXX";
    const HeldSignals held;
    const int fd = ::mkostemp(file.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, FormatHistory(lines)) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ::unlink(file.c_str());
    return ok;
}

} // namespace quill::cli

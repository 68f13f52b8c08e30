#include "app/win/history_file_win.h"

#include "app/data_file.h"
#include "app/data_place.h"
#include "app/win/data_file_win.h"

namespace quill {

namespace {

constexpr DWORD kRetryMs = 50;

// The lock's name: one for every window that keeps this file (the path in
// capitals, hashed, so that it fits a name).
std::wstring LockName(const std::wstring& path) {
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const wchar_t c : path) {
        hash ^= static_cast<std::uint64_t>(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
        hash *= 1099511628211ULL;
    }
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    std::wstring name = L"Local\\Quillpad-history-";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += kHex[(hash >> shift) & 15];
    return name;
}

// Another program holding the file, for a moment.
bool IsHeld(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

enum class Got { Text, Missing, Held, NotOurs };

// The file's bytes, or why there are none. Read with every sharing, so no
// other window or program is kept from it.
Got ReadText(const std::wstring& path, std::string& text) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Got::Missing;
        return IsHeld(error) ? Got::Held : Got::NotOurs;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return Got::NotOurs;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return Got::Missing;
        return IsHeld(error) ? Got::Held : Got::NotOurs;
    }
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart >= 0 &&
              static_cast<std::uint64_t>(size.QuadPart) <= kMaxHistoryFileBytes;
    if (ok) {
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = text.empty() ||
             ::ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) != FALSE;
        text.resize(read);
    }
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    if (ok) return Got::Text;
    return IsHeld(error) ? Got::Held : Got::NotOurs;
}

// The file's entries as they are now: Done (none for no file or an empty
// one), Busy, or NotKept for what is not ours to write.
HistoryOutcome Current(const std::wstring& path, std::vector<HistoryEntry>& entries) {
    std::string text;
    switch (ReadText(path, text)) {
    case Got::Missing:
        entries.clear();
        return HistoryOutcome::Done;
    case Got::Held:
        return HistoryOutcome::Busy;
    case Got::NotOurs:
        return HistoryOutcome::NotKept;
    case Got::Text:
        break;
    }
    ParsedHistory parsed = ParseHistoryFile(text);
    if (!parsed.ours && !text.empty()) return HistoryOutcome::NotKept;
    entries = std::move(parsed.entries);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    // Read-only as the user made it; Wine as root would write it all the same.
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    return readOnly ? HistoryOutcome::NotKept : HistoryOutcome::Done;
}

// Holds the lock for its lifetime.
class Locked {
  public:
    Locked(HANDLE lock, DWORD waitMs) : lock_(lock) {
        const DWORD got = lock ? ::WaitForSingleObject(lock, waitMs) : WAIT_FAILED;
        // A window that ended holding it left the file whole: the copy is
        // renamed in one step.
        held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    ~Locked() {
        if (held_) ::ReleaseMutex(lock_);
    }
    bool Held() const { return held_; }

  private:
    HANDLE lock_;
    bool held_ = false;
};

} // namespace

HistoryFile::HistoryFile(std::wstring path) : path_(std::move(path)) {
    if (!path_.empty()) lock_ = ::CreateMutexW(nullptr, FALSE, LockName(path_).c_str());
}

HistoryFile::~HistoryFile() {
    if (lock_) ::CloseHandle(lock_);
}

HistoryRead HistoryFile::Read(DWORD waitMs) const {
    HistoryRead read;
    if (path_.empty()) {
        read.outcome = HistoryOutcome::NotKept;
        return read;
    }
    const std::wstring target = ToExtendedPath(path_);
    const DWORD start = ::GetTickCount();
    while ((read.outcome = Current(target, read.entries)) == HistoryOutcome::Busy &&
           ::GetTickCount() - start < waitMs) {
        ::Sleep(kRetryMs);
    }
    return read;
}

HistoryOutcome HistoryFile::Apply(std::span<const HistoryEdit> edits, std::size_t keep,
                                  std::vector<HistoryEntry>& entries, DWORD waitMs) {
    if (path_.empty()) return HistoryOutcome::NotKept;
    const Locked locked(lock_, waitMs);
    if (!locked.Held()) return HistoryOutcome::Busy;
    const std::wstring target = ToExtendedPath(path_);
    std::vector<HistoryEntry> now;
    const HistoryOutcome read = Current(target, now);
    if (read != HistoryOutcome::Done) return read;
    for (const HistoryEdit& edit : edits)
        ApplyEdit(now, edit, keep);
    const std::string text = HistoryFileText(now);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!WriteFileAtomically(path_, {bytes, text.size()})) return HistoryOutcome::Busy;
    entries = std::move(now);
    return HistoryOutcome::Done;
}

void HistoryFile::Remove() {
    if (path_.empty()) return;
    const Locked locked(lock_, 1000);
    const std::wstring target = ToExtendedPath(path_);
    std::string text;
    // Only a history of ours goes; another program's file stays.
    if (ReadText(target, text) != Got::Text || !ParseHistoryFile(text).ours) return;
    RemoveEntry(target, target, ::GetFileAttributesW(target.c_str()));
}

namespace {

// Whether a new file can be made in `folder` (with its last backslash).
bool CanWriteIn(const std::wstring& folder) {
    const std::string tail = SaveTempSuffix(::GetCurrentProcessId(), 0xFFFFFFFF);
    std::wstring probe = ToExtendedPath(folder);
    probe.append(kHistoryFileName.begin(), kHistoryFileName.end());
    probe.append(tail.begin(), tail.end()); // ASCII
    HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

} // namespace

std::wstring HistoryFilePath() {
    const std::wstring name(kHistoryFileName.begin(), kHistoryFileName.end());
    const std::wstring beside = FolderOf(GetDataFilePath());
    if (!beside.empty() && CanWriteIn(beside)) return beside + name;
    const std::wstring roaming = FolderOf(GetRoamingDataFilePath());
    if (roaming.empty()) return {};
    ::CreateDirectoryW(ToExtendedPath(roaming.substr(0, roaming.size() - 1)).c_str(), nullptr);
    return roaming + name;
}

} // namespace quill

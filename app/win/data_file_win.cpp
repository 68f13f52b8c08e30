#include "app/win/data_file_win.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <new>
#include <optional>
#include <vector>

#include "app/data_file.h"
#include "app/data_place.h"
#include "app/win/ansi.h"
#include "app/win/win_types.h"

namespace quill {

namespace {

// Closes a file handle on every path.
class File {
  public:
    explicit File(HANDLE h) : h_(h) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { Close(); }
    bool Ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    bool Close() {
        const bool ok = h_ == INVALID_HANDLE_VALUE || ::CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

std::string AnsiOfUtf16(std::u16string_view text) {
    if (text.empty()) return {};
    std::string out = AnsiFromWide({reinterpret_cast<const wchar_t*>(text.data()), text.size()});
    return out.empty() ? Utf16ToLatin1(text) : out;
}

// A virus scanner may hold the file for a moment.
bool IsPassing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

template <typename Step> bool WithRetries(Step step) {
    constexpr int kTries = 5;
    for (int attempt = 1;; ++attempt) {
        if (step()) return true;
        if (attempt == kTries || !IsPassing(::GetLastError())) return false;
        ::Sleep(100);
    }
}

// Moves `total` bytes in pieces of at most 1 MiB: `step(offset, size, moved)`
// moves one piece and says how much it moved. The bytes moved, which fall
// short of `total` when a step moved nothing; nullopt when a step failed.
template <typename Step> std::optional<std::size_t> InChunks(std::size_t total, Step step) {
    std::size_t done = 0;
    while (done < total) {
        DWORD moved = 0;
        if (!step(done, static_cast<DWORD>(std::min<std::size_t>(total - done, 1u << 20)), moved)) {
            return std::nullopt;
        }
        if (moved == 0) break;
        done += moved;
    }
    return done;
}

bool WriteAll(HANDLE h, std::span<const std::uint8_t> bytes, const SaveOps& ops) {
    const auto written = InChunks(bytes.size(), [&](std::size_t at, DWORD piece, DWORD& moved) {
        return ops.write(h, bytes.data() + at, piece, &moved, nullptr) != FALSE;
    });
    return written == bytes.size();
}

} // namespace

std::wstring GetDataFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // cut short: grow until it fits
    }
    const std::size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) path.erase(slash + 1);
    path.append(kDataFileName.begin(), kDataFileName.end());
    return path;
}

std::wstring ToExtendedPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path; // relative: left to the system
}

Rect DesktopRect() {
    RECT r{};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return FromWin(r);
}

std::vector<Rect> MonitorRects() {
    std::vector<Rect> monitors;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT r, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<Rect>*>(list)->push_back(FromWin(*r));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

namespace {

// A name for this save's temporary file beside the data file, unique to the
// process and the save.
std::wstring TempName(const std::wstring& target, unsigned serial) {
    const std::string tail = SaveTempSuffix(::GetCurrentProcessId(), serial);
    return target + std::wstring(tail.begin(), tail.end()); // ASCII
}

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// `name` in ASCII; none for a name outside it.
std::optional<std::string> Ascii(std::wstring_view name) {
    std::string narrow;
    for (const wchar_t c : name) {
        if (c > 0x7F) return std::nullopt;
        narrow += static_cast<char>(c);
    }
    return narrow;
}

// Whether a found file's name is one of a save's temporary files of the
// file `target`; a name outside ASCII never is.
bool IsSaveTempFile(const wchar_t* name, const std::wstring& target) {
    const std::optional<std::string> narrow = Ascii(name);
    const std::optional<std::string> base = Ascii(target.substr(target.rfind(L'\\') + 1));
    return narrow && base && IsSaveTempName(*narrow, *base);
}

// Opens a new temporary file; `temp` gets its name.
HANDLE CreateTempFile(const std::wstring& target, std::wstring& temp) {
    for (unsigned serial = 0; serial < 64; ++serial) {
        temp = TempName(target, serial);
        // CREATE_NEW: a file or link that has the name already is never followed.
        HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

void RemoveEntry(const std::wstring& target, const std::wstring& path, DWORD attributes) {
    std::wstring fresh;
    File file(CreateTempFile(target, fresh));
    if (!file.Ok()) return;
    if (!file.Close()) {
        ::DeleteFileW(fresh.c_str());
        return;
    }
    const auto replace = [&] {
        return ::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    };
    bool replaced = replace();
    if (!replaced && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        replaced = ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL) && replace();
    }
    ::DeleteFileW((replaced ? path : fresh).c_str());
}

namespace {

// Temporary files of saves that crashed are removed by a later save; one
// younger than a minute may be another copy's, saving right now, and a time
// in the future is young too. Only the names saves make are touched: a
// person's "dataclc.dat notes.tmp" stays.
void RemoveStaleTempFiles(const std::wstring& target) {
    const std::size_t slash = target.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((target + L"*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    constexpr std::uint64_t kMinute = 60ULL * 10'000'000; // in 100 ns
    do {
        const std::uint64_t written = Ticks(found.ftLastWriteTime);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsSaveTempFile(found.cFileName, target) && written < Ticks(now) &&
            Ticks(now) - written > kMinute) {
            RemoveEntry(target, folder + found.cFileName, found.dwFileAttributes);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// How reading the record went, short of the waiting.
enum class Read { Whole, Damaged, Failed, TooLarge };

// The record from the file at `target` (in its extended form), read whole in
// one pass. Failed: it could not be opened or read (the reason in
// GetLastError).
Read ReadRecord(const std::wstring& target, CalcSettings& settings) {
    File file(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Ok()) return Read::Failed;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return Read::Failed;
    if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxDataFileBytes) {
        return Read::TooLarge;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return Read::Failed;
    }
    // A file that shrank meanwhile is read as far as it goes.
    const auto read = InChunks(bytes.size(), [&](std::size_t at, DWORD piece, DWORD& moved) {
        return ::ReadFile(file.Get(), bytes.data() + at, piece, &moved, nullptr) != FALSE;
    });
    if (!read) return Read::Failed;
    bytes.resize(*read);
    return SettingsFromBytes(bytes, settings, AnsiOfUtf16) ? Read::Whole : Read::Damaged;
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The file's last-write time; none when there is no file (a folder is none).
std::optional<std::uint64_t> WriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() ||
        !::GetFileAttributesExW(ToExtendedPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return Ticks(data.ftLastWriteTime);
}

} // namespace

bool WriteFileAtomically(const std::wstring& path, std::span<const std::uint8_t> bytes,
                         const SaveOps& ops) {
    const std::wstring target = ToExtendedPath(path);
    RemoveStaleTempFiles(target);
    std::wstring temp;
    File file(CreateTempFile(target, temp));
    if (!file.Ok()) return false;
    bool ok = WriteAll(file.Get(), bytes, ops) && ops.flush(file.Get());
    ok = file.Close() && ok;
    // One rename puts the new file in the old one's place; the old file is
    // never removed first, so a failure leaves it whole.
    ok = ok && WithRetries([&] {
             return ops.move(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
         });
    if (!ok) ::DeleteFileW(temp.c_str());
    return ok;
}

LoadOutcome ReadSettingsFileWaiting(const std::wstring& path, CalcSettings& settings,
                                    DWORD waitMs) {
    const std::wstring target = ToExtendedPath(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return LoadOutcome::Missing;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES && IsMissing(::GetLastError())) {
        return LoadOutcome::Missing;
    }
    const DWORD start = ::GetTickCount();
    for (;;) {
        switch (ReadRecord(target, settings)) {
        case Read::Whole:
            return LoadOutcome::Loaded;
        case Read::Damaged:
            return LoadOutcome::Damaged;
        case Read::TooLarge:
            return LoadOutcome::Kept;
        case Read::Failed:
            break;
        }
        const DWORD error = ::GetLastError();
        if (IsMissing(error)) return LoadOutcome::Missing;
        if (IsPassing(error)) {
            if (::GetTickCount() - start >= waitMs) return LoadOutcome::Held;
        } else {
            return LoadOutcome::Kept; // a read that failed for good
        }
        ::Sleep(50);
    }
}

std::wstring GetRoamingDataFilePath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    std::wstring path = folder;
    if (path.empty()) return {};
    if (path.back() != L'\\') path += L'\\';
    path += L"Quillpad\\";
    path.append(kDataFileName.begin(), kDataFileName.end());
    return path;
}

LoadOutcome LoadSettingsFromPlaces(const DataPaths& paths, CalcSettings& settings,
                                   const Rect& window, DWORD waitMs) {
    const std::optional<DataPlace> place =
        PlaceToRead(WriteTime(paths.beside), WriteTime(paths.roaming));
    if (!place) return LoadOutcome::Missing;
    const std::wstring& path = *place == DataPlace::Beside ? paths.beside : paths.roaming;
    CalcSettings read = settings;
    const LoadOutcome outcome = ReadSettingsFileWaiting(path, read, waitMs);
    if (outcome != LoadOutcome::Loaded) return outcome;
    settings = read;
    MendLoadedSettings(settings, window, DesktopRect(), MonitorRects());
    return outcome;
}

bool SaveSettingsToPlaces(const DataPaths& paths, const CalcSettings& settings,
                          const SaveOps& ops) {
    const std::vector<std::uint8_t> bytes = SettingsToBytes(settings);
    // The copy elsewhere stays: it may be another copy's of the program,
    // one that cannot save beside itself. The file just written beside this
    // one is the newer, so this copy's next start reads it.
    if (WriteFileAtomically(paths.beside, bytes, ops)) return true;
    if (paths.roaming.empty()) return false;
    const std::wstring folder = paths.roaming.substr(0, paths.roaming.rfind(L'\\'));
    ::CreateDirectoryW(ToExtendedPath(folder).c_str(), nullptr); // there already is no error
    return WriteFileAtomically(paths.roaming, bytes, ops);
}

} // namespace quill

#include "app/win/data_file_win.h"

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "app/data_file.h"
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

bool WriteFileAtomically(const std::wstring& path, std::span<const std::uint8_t> bytes,
                         const SaveOps& ops) {
    const std::wstring target = ToExtendedPath(path);
    // A fixed name beside the file: what a crash left there is overwritten now.
    const std::wstring temp = target + L".tmp";
    File file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Ok()) return false;
    bool ok = WriteAll(file.Get(), bytes, ops) && ops.flush(file.Get());
    ok = file.Close() && ok;
    if (ok) {
        const bool exists = ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
        ok = WithRetries([&] {
            if (exists) {
                return ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE;
            }
            return ::MoveFileExW(temp.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        });
    }
    if (!ok) ::DeleteFileW(temp.c_str());
    return ok;
}

bool ReadSettingsFile(const std::wstring& path, CalcSettings& settings) {
    File file(::CreateFileW(ToExtendedPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Ok()) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF)
        return false;
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    // A file that shrank meanwhile is read as far as it goes.
    const auto read = InChunks(bytes.size(), [&](std::size_t at, DWORD piece, DWORD& moved) {
        return ::ReadFile(file.Get(), bytes.data() + at, piece, &moved, nullptr) != FALSE;
    });
    if (!read) return false;
    bytes.resize(*read);
    return SettingsFromBytes(bytes, settings, AnsiOfUtf16);
}

bool LoadSettingsFrom(const std::wstring& path, CalcSettings& settings, const Rect& window) {
    if (!ReadSettingsFile(path, settings)) return false;
    MendLoadedSettings(settings, window, DesktopRect());
    return true;
}

bool SaveSettingsTo(const std::wstring& path, const CalcSettings& settings, const SaveOps& ops) {
    return WriteFileAtomically(path, SettingsToBytes(settings), ops);
}

} // namespace quill

// The data file on a Windows file system: folders outside the ANSI code page,
// paths beyond 260 characters, saves that fail half way, files held by
// another program, and the second place in the user's folder.
#include "app/win/data_file_win.h"

#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "app/data_file.h"
#include "app/data_place.h"

namespace quill {
namespace {

std::wstring TempFolder() {
    std::wstring buf(MAX_PATH + 1, L'\0');
    buf.resize(::GetTempPathW(static_cast<DWORD>(buf.size()), buf.data()));
    return buf;
}

// A fresh folder below %TEMP% (created with every parent).
std::wstring MakeFolder(const std::wstring& relative) {
    std::wstring path = ToExtendedPath(TempFolder());
    for (std::size_t start = 0; start <= relative.size();) {
        std::size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        path += relative.substr(start, end - start) + L"\\";
        ::CreateDirectoryW(path.c_str(), nullptr);
        start = end + 1;
    }
    return path;
}

std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> piece(1 << 16);
    DWORD got = 0;
    while (::ReadFile(h, piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + got);
    ::CloseHandle(h);
    return bytes;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The temporary files a save may leave beside `file`.
int TempFiles(const std::wstring& file) {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((file + L"*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        ++n;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return n;
}

// A file of `bytes` whose last write was `minutesAgo` minutes ago.
void WriteAged(const std::wstring& path, const std::vector<std::uint8_t>& bytes, int minutesAgo) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(minutesAgo) * 60 * 10'000'000;
    const FILETIME then{t.LowPart, t.HighPart};
    ::SetFileTime(h, nullptr, nullptr, &then);
    ::CloseHandle(h);
}

// Holds `path` open with no sharing, as a virus scanner or another copy may.
HANDLE Hold(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

CalcSettings Sample(int left) {
    CalcSettings s;
    SetDefaultSettings(s, {0, 0, 200, 70}, {0, 0, 1024, 768});
    s.nLeft = left;
    s.nFormat = static_cast<std::int32_t>(Format::Hex);
    s.bDegrees = true;
    s.strReserved = "kept";
    return s;
}

void ExpectRoundTrip(const std::wstring& folder) {
    const std::wstring file = folder + L"dataclc.dat";
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(10)));
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(20))); // over an existing file
    CalcSettings back;
    ASSERT_TRUE((ReadSettingsFileWaiting(file, back, 0) == LoadOutcome::Loaded));
    EXPECT_EQ(back, Sample(20));
    EXPECT_EQ(FileBytes(file), SettingsToBytes(Sample(20)));
    EXPECT_EQ(TempFiles(file), 0);
}

TEST(DataFileWin, FoldersOutsideTheAnsiCodePage) {
    ExpectRoundTrip(
        MakeFolder(L"quill-\u041a\u0430\u043b\u044c\u043a\u0443\u043b\u044f\u0442\u043e\u0440"));
    ExpectRoundTrip(MakeFolder(L"quill-\u8ba1\u7b97\u5668"));
}

TEST(DataFileWin, PathsBeyond260Characters) {
    std::wstring deep = L"quill-deep";
    while (deep.size() < 300)
        deep += L"\\folder-of-thirty-characters-x";
    const std::wstring folder = MakeFolder(deep);
    ASSERT_GT(folder.size(), 300U);
    ExpectRoundTrip(folder);
}

// Writes half of what it is given, then fails, as a full disk would.
BOOL WINAPI HalfThenFail(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
    ::WriteFile(h, data, size / 2, written, nullptr);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI FailFlush(HANDLE) {
    ::SetLastError(ERROR_IO_DEVICE);
    return FALSE;
}

TEST(DataFileWin, AFailedSaveLeavesTheOldFile) {
    const std::wstring folder = MakeFolder(L"quill-faults");
    const std::wstring file = folder + L"dataclc.dat";
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(10)));
    const std::vector<std::uint8_t> before = FileBytes(file);

    SaveOps halfWrite;
    halfWrite.write = HalfThenFail;
    SaveOps badFlush;
    badFlush.flush = FailFlush;
    for (const SaveOps& ops : {halfWrite, badFlush}) {
        EXPECT_FALSE(SaveSettingsToPlaces({file, {}}, Sample(99), ops));
        EXPECT_EQ(FileBytes(file), before);
        EXPECT_EQ(TempFiles(file), 0);
    }
    // A folder that does not exist: nothing to write into.
    EXPECT_FALSE(SaveSettingsToPlaces({folder + L"missing\\dataclc.dat", {}}, Sample(1)));
}

TEST(DataFileWin, TemporaryFilesNeverFollowedNorLeft) {
    const std::wstring folder = MakeFolder(L"quill-fresh");
    const std::wstring file = folder + L"dataclc.dat";
    ::DeleteFileW(file.c_str());
    const std::vector<std::uint8_t> junk(100, 0xAB);
    // Left by crashed saves: the old fixed name and one of another process.
    WriteAged(file + L".tmp", junk, 5);
    WriteAged(file + L".1234-0.tmp", junk, 5);
    // The name this process tries first exists already: it is not truncated.
    wchar_t own[32];
    ::swprintf(own, 32, L".%lx-0.tmp", static_cast<unsigned long>(::GetCurrentProcessId()));
    WriteAged(file + own, junk, 0);
    CalcSettings none;
    EXPECT_FALSE((ReadSettingsFileWaiting(file, none, 0) == LoadOutcome::Loaded));
    EXPECT_EQ(none, CalcSettings{});
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(5)));
    EXPECT_EQ(FileBytes(file), SettingsToBytes(Sample(5)));
    EXPECT_EQ(FileBytes(file + own), junk); // young: perhaps another copy's
    EXPECT_EQ(TempFiles(file), 1);
    ::DeleteFileW((file + own).c_str());
}

// The sweep of crashed saves' files takes only the names saves make.
TEST(DataFileWin, TheSweepLeavesOtherFilesAlone) {
    const std::wstring file = MakeFolder(L"quill-sweep") + L"dataclc.dat";
    const std::vector<std::uint8_t> junk(10, 0xCD);
    const wchar_t* const foreign[] = {L" notes.tmp", L".backup-2023.tmp", L"XYZ.tmp",
                                      L".12-0.tmp.tmp", L".AB-0.tmp"};
    for (const wchar_t* tail : foreign)
        WriteAged(file + tail, junk, 5);
    WriteAged(file + L".tmp", junk, 5);
    WriteAged(file + L".4d2-0.tmp", junk, 5);
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(5)));
    for (const wchar_t* tail : foreign)
        EXPECT_EQ(FileBytes(file + tail), junk) << static_cast<int>(tail[1]);
    EXPECT_FALSE(Exists(file + L".tmp"));
    EXPECT_FALSE(Exists(file + L".4d2-0.tmp"));
    for (const wchar_t* tail : foreign)
        ::DeleteFileW((file + tail).c_str());
}

// A record is read whole however long its strings; a file past the limit is
// neither read nor replaced.
TEST(DataFileWin, LongRecordsAreReadAndHugeFilesKept) {
    const std::wstring file = MakeFolder(L"quill-long") + L"dataclc.dat";
    CalcSettings longText = Sample(3);
    longText.nRound = 3;
    longText.strReserved.assign(200'000, 'r');
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, longText));
    CalcSettings read;
    EXPECT_EQ(ReadSettingsFileWaiting(file, read, 0), LoadOutcome::Loaded);
    EXPECT_EQ(read, longText);

    std::vector<std::uint8_t> huge = SettingsToBytes(Sample(4));
    huge.resize(kMaxDataFileBytes + 1, 0xEE);
    WriteAged(file, huge, 0);
    CalcSettings none;
    const LoadOutcome outcome = ReadSettingsFileWaiting(file, none, 0);
    EXPECT_EQ(outcome, LoadOutcome::Kept);
    EXPECT_FALSE(SavesOnClose(outcome));
    EXPECT_EQ(none, CalcSettings{});
    ::DeleteFileW(file.c_str());
}

TEST(DataFileWin, AHeldFileIsWaitedForThenLeftAlone) {
    const std::wstring file = MakeFolder(L"quill-held") + L"dataclc.dat";
    ASSERT_TRUE(SaveSettingsToPlaces({file, {}}, Sample(7)));
    const std::vector<std::uint8_t> before = FileBytes(file);

    // Held for 300 ms of a 2 s wait: read.
    HANDLE held = Hold(file);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HANDLE letGo = ::CreateThread(
        nullptr, 0,
        [](LPVOID h) -> DWORD {
            ::Sleep(300);
            return ::CloseHandle(static_cast<HANDLE>(h));
        },
        held, 0, nullptr);
    CalcSettings read;
    EXPECT_EQ(ReadSettingsFileWaiting(file, read, 2000), LoadOutcome::Loaded);
    EXPECT_EQ(read, Sample(7));
    ::WaitForSingleObject(letGo, INFINITE);
    ::CloseHandle(letGo);

    // Held throughout: neither read nor replaced, and nothing left beside it.
    held = Hold(file);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CalcSettings none;
    EXPECT_EQ(ReadSettingsFileWaiting(file, none, 200), LoadOutcome::Held);
    EXPECT_FALSE(SaveSettingsToPlaces({file, {}}, Sample(8)));
    ::CloseHandle(held);
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_EQ(TempFiles(file), 0);

    // Damaged and missing are told apart from held.
    const std::vector<std::uint8_t> torn(before.begin(), before.begin() + 10);
    WriteAged(file, torn, 0);
    EXPECT_EQ(ReadSettingsFileWaiting(file, none, 200), LoadOutcome::Damaged);
    ::DeleteFileW(file.c_str());
    EXPECT_EQ(ReadSettingsFileWaiting(file, none, 200), LoadOutcome::Missing);
}

TEST(DataFileWin, ASecondPlaceWhereTheProgramsFolderCannotBeWritten) {
    const std::wstring folder = MakeFolder(L"quill-places");
    const DataPaths paths{folder + L"dataclc.dat", folder + L"roaming\\dataclc.dat"};
    ::DeleteFileW(paths.beside.c_str());
    ::DeleteFileW(paths.roaming.c_str());
    // A folder in the data file's place.
    ASSERT_TRUE(::CreateDirectoryW(paths.beside.c_str(), nullptr));
    const Rect window{0, 0, 200, 70};
    CalcSettings loaded;
    EXPECT_EQ(LoadSettingsFromPlaces(paths, loaded, window, 200), LoadOutcome::Missing);
    ASSERT_TRUE(SaveSettingsToPlaces(paths, Sample(30)));
    EXPECT_EQ(FileBytes(paths.roaming), SettingsToBytes(Sample(30)));
    EXPECT_EQ(LoadSettingsFromPlaces(paths, loaded, window, 200), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.nLeft, 30);
    // The folder goes: the next save is beside the program, and the copy
    // elsewhere stays (another copy of the program may keep it), older.
    ASSERT_TRUE(::RemoveDirectoryW(paths.beside.c_str()));
    WriteAged(paths.roaming, SettingsToBytes(Sample(30)), 1);
    ASSERT_TRUE(SaveSettingsToPlaces(paths, Sample(40)));
    EXPECT_EQ(FileBytes(paths.beside), SettingsToBytes(Sample(40)));
    EXPECT_EQ(FileBytes(paths.roaming), SettingsToBytes(Sample(30)));
    EXPECT_EQ(LoadSettingsFromPlaces(paths, loaded, window, 200), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.nLeft, 40);
    // Of two files, the newer one is read.
    WriteAged(paths.beside, SettingsToBytes(Sample(50)), 10);
    WriteAged(paths.roaming, SettingsToBytes(Sample(60)), 0);
    EXPECT_EQ(LoadSettingsFromPlaces(paths, loaded, window, 200), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.nLeft, 60);
    EXPECT_EQ(TempFiles(paths.beside) + TempFiles(paths.roaming), 0);
}

TEST(DataFileWin, PathOfTheProgram) {
    const std::wstring path = GetDataFilePath();
    ASSERT_GT(path.size(), 12U);
    EXPECT_EQ(path.substr(path.size() - 12), L"\\dataclc.dat");
    std::wstring exe(32768, L'\0');
    exe.resize(::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    EXPECT_EQ(path.substr(0, path.size() - 11), exe.substr(0, exe.rfind(L'\\') + 1));
    // Where the program is, its settings live: a save and a load there.
    ASSERT_TRUE(SaveSettingsToPlaces({path, {}}, Sample(30)));
    CalcSettings back;
    ASSERT_TRUE((ReadSettingsFileWaiting(path, back, 0) == LoadOutcome::Loaded));
    EXPECT_EQ(back, Sample(30));
    ::DeleteFileW(ToExtendedPath(path).c_str());
}

TEST(DataFileWin, ExtendedPaths) {
    EXPECT_EQ(ToExtendedPath(L"C:\\a\\b"), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(ToExtendedPath(L"\\\\server\\share\\x"), L"\\\\?\\UNC\\server\\share\\x");
    EXPECT_EQ(ToExtendedPath(L"\\\\?\\C:\\a"), L"\\\\?\\C:\\a");
    EXPECT_EQ(ToExtendedPath(L"dataclc.dat"), L"dataclc.dat");
}

} // namespace
} // namespace quill

// The data file on a Windows file system: folders outside the ANSI code page,
// paths beyond 260 characters, and saves that fail half way.
#include "app/win/data_file_win.h"

#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "app/data_file.h"

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
    std::vector<std::uint8_t> bytes(4096);
    DWORD got = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    ::CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

CalcSettings Sample(int left) {
    CalcSettings s;
    SetDefaultSettings(s, {0, 0, 200, 70}, {0, 0, 1024, 768});
    s.nLeft = left;
    s.nFormat = kHex;
    s.bDegrees = true;
    s.strReserved = "kept";
    return s;
}

void ExpectRoundTrip(const std::wstring& folder) {
    const std::wstring file = folder + L"dataclc.dat";
    ASSERT_TRUE(SaveSettingsTo(file, Sample(10)));
    ASSERT_TRUE(SaveSettingsTo(file, Sample(20))); // over an existing file
    CalcSettings back;
    ASSERT_TRUE(ReadSettingsFile(file, back));
    EXPECT_EQ(back, Sample(20));
    EXPECT_EQ(FileBytes(file), SettingsToBytes(Sample(20)));
    EXPECT_FALSE(Exists(file + L".tmp"));
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
    ASSERT_TRUE(SaveSettingsTo(file, Sample(10)));
    const std::vector<std::uint8_t> before = FileBytes(file);

    SaveOps halfWrite;
    halfWrite.write = HalfThenFail;
    SaveOps badFlush;
    badFlush.flush = FailFlush;
    for (const SaveOps& ops : {halfWrite, badFlush}) {
        EXPECT_FALSE(SaveSettingsTo(file, Sample(99), ops));
        EXPECT_EQ(FileBytes(file), before);
        EXPECT_FALSE(Exists(file + L".tmp"));
    }
    // A folder that does not exist: nothing to write into.
    EXPECT_FALSE(SaveSettingsTo(folder + L"missing\\dataclc.dat", Sample(1)));
}

TEST(DataFileWin, NoFileYetAndAStaleTemporaryFile) {
    const std::wstring folder = MakeFolder(L"quill-fresh");
    const std::wstring file = folder + L"dataclc.dat";
    ::DeleteFileW(file.c_str());
    std::vector<std::uint8_t> junk(100, 0xAB);
    ASSERT_TRUE(WriteFileAtomically(file + L".tmp.src", junk));
    ASSERT_TRUE(::MoveFileExW((file + L".tmp.src").c_str(), (file + L".tmp").c_str(),
                              MOVEFILE_REPLACE_EXISTING));
    CalcSettings none;
    EXPECT_FALSE(ReadSettingsFile(file, none));
    EXPECT_EQ(none, CalcSettings{});
    ASSERT_TRUE(SaveSettingsTo(file, Sample(5)));
    EXPECT_EQ(FileBytes(file), SettingsToBytes(Sample(5)));
    EXPECT_FALSE(Exists(file + L".tmp"));
}

TEST(DataFileWin, PathOfTheProgram) {
    const std::wstring path = GetDataFilePath();
    ASSERT_GT(path.size(), 12U);
    EXPECT_EQ(path.substr(path.size() - 12), L"\\dataclc.dat");
    std::wstring exe(32768, L'\0');
    exe.resize(::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    EXPECT_EQ(path.substr(0, path.size() - 11), exe.substr(0, exe.rfind(L'\\') + 1));
    // Where the program is, its settings live: a save and a load there.
    ASSERT_TRUE(SaveSettingsTo(path, Sample(30)));
    CalcSettings back;
    ASSERT_TRUE(ReadSettingsFile(path, back));
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

// The data file on disk: where it lives, reading it, and saving it so that a
// failed save never destroys the previous file.
//
// Paths are wide and used in their extended form (\\?\), so folders whose
// names are outside the ANSI code page and paths beyond 260 characters work.
// Every function returns false on failure and reports nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "app/settings.h"

namespace quill {

// The program file's folder, its last backslash included, then the data
// file's name kDataFileName
// (appended to the whole path when it holds no backslash).
std::wstring GetDataFilePath();

// `path` in the \\?\ form that lifts the 260-character limit.
std::wstring ToExtendedPath(const std::wstring& path);

// The desktop window's rectangle (the primary screen).
Rect DesktopRect();

// The file operations a save goes through; tests replace them to make a
// write fail half way.
struct SaveOps {
    BOOL(WINAPI* write)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::WriteFile;
    BOOL(WINAPI* flush)(HANDLE) = ::FlushFileBuffers;
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk, and
// then puts it in the place of `path` in one step. On any failure the old file
// is left as it was and the temporary file is removed.
bool WriteFileAtomically(const std::wstring& path, std::span<const std::uint8_t> bytes,
                         const SaveOps& ops = {});

// Reads the record from the file at `path` (see SettingsFromBytes); two-byte
// text is converted to the program's ANSI code page (app/win/ansi.h).
bool ReadSettingsFile(const std::wstring& path, CalcSettings& settings);

// The record from the data file, mended for the desktop with a window of the
// size of `window`; false when the file is missing or cannot be read whole.
bool LoadSettingsFrom(const std::wstring& path, CalcSettings& settings, const Rect& window);

// The record into the data file, atomically.
bool SaveSettingsTo(const std::wstring& path, const CalcSettings& settings,
                    const SaveOps& ops = {});

} // namespace quill

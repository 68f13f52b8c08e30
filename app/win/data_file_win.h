// The data file on disk: where it lives, reading it, and saving it so that a
// failed save never destroys the previous file. It lives beside the program;
// where that folder cannot be written, in the user's application-data folder
// (%APPDATA%\Quillpad).
//
// Paths are wide and used in their extended form (\\?\), so folders whose
// names are outside the ANSI code page and paths beyond 260 characters work.
// Every function returns false on failure and reports nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/data_place.h"
#include "app/settings.h"

namespace quill {

// The program file's folder, its last backslash included, then the data
// file's name kDataFileName
// (appended to the whole path when it holds no backslash).
std::wstring GetDataFilePath();

// `path` in the \\?\ form that lifts the 260-character limit.
std::wstring ToExtendedPath(const std::wstring& path);

// %APPDATA%\Quillpad\dataclc.dat; empty when the folder is unknown.
std::wstring GetRoamingDataFilePath();

// The desktop window's rectangle (the primary screen).
Rect DesktopRect();

// Every monitor attached now, as rectangles in desktop coordinates; empty
// when the system cannot say.
std::vector<Rect> MonitorRects();

// The file operations a save goes through; tests replace them to make a
// write fail half way.
struct SaveOps {
    BOOL(WINAPI* write)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = ::WriteFile;
    BOOL(WINAPI* flush)(HANDLE) = ::FlushFileBuffers;
    BOOL(WINAPI* move)(LPCWSTR, LPCWSTR, DWORD) = ::MoveFileExW;
};

// Writes `bytes` to a temporary file of its own beside `path` (created new,
// named for the process), flushes it to disk, and then renames it over
// `path` in one step, tried again for half a second while another program
// holds the file. On any failure the old file is left as it was and the
// temporary file is removed; temporary files older than a minute, left by
// crashed saves, are removed first.
bool WriteFileAtomically(const std::wstring& path, std::span<const std::uint8_t> bytes,
                         const SaveOps& ops = {});

// Removes the directory entry `path` (in its extended form) and never what
// it may point to: a new empty file of ours, named for `target`, is renamed
// over it (a rename replaces a link, it does not follow it; Wine lists a Unix
// link as a plain file, and deleting or changing the entry itself would
// reach the link's target), and that file is deleted. A read-only file is
// replaced all the same; where the system refuses, a plain file (not a
// link) is made writable first. `attributes` are the entry's.
void RemoveEntry(const std::wstring& target, const std::wstring& path, DWORD attributes);

// The record from the file at `path`, read whole (see SettingsFromBytes;
// two-byte text becomes the ANSI code page's, app/win/ansi.h), tried again
// for `waitMs` while another program holds it open. A folder in the file's
// place counts as no file; a file larger than kMaxDataFileBytes, or one whose
// read failed for another reason than its being held, is Kept.
LoadOutcome ReadSettingsFileWaiting(const std::wstring& path, CalcSettings& settings, DWORD waitMs);

// The two places of the data file: beside the program, and the user's copy.
struct DataPaths {
    std::wstring beside;
    std::wstring roaming; // empty: no second place
};

// At start: the newer of the two files, tried for `waitMs` while held,
// mended for the desktop; `settings` is changed only when Loaded.
LoadOutcome LoadSettingsFromPlaces(const DataPaths& paths, CalcSettings& settings,
                                   const Rect& window, DWORD waitMs = 2000);

// At close: beside the program; where that fails, into the copy elsewhere
// (its folder created). The copy elsewhere is never removed: another copy of
// the program may keep its settings there. False when neither could be
// written.
bool SaveSettingsToPlaces(const DataPaths& paths, const CalcSettings& settings,
                          const SaveOps& ops = {});

} // namespace quill

// The end-to-end tests' eyes and hands inside Windows: reads another
// program's window back (texts, selections, styles, the button's image,
// the focus), and does the few things xdotool cannot (a screenshot, a key
// sent while its own window has the focus).
//
//   quill_probe COMMAND [ARGS]      prints one line; exit 0 on success, 1 if not found
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/data_file.h"
#include "res/resource.h"
#include "ui/menu_model.h"
#include "ui/window_shape.h"

namespace {

// Asks `done` every `stepMs` until it holds or `timeoutMs` have passed; its
// last answer.
template <typename Done> bool WaitFor(int timeoutMs, int stepMs, Done done) {
    for (int waited = 0;; waited += stepMs) {
        if (done()) return true;
        if (waited >= timeoutMs) return false;
        ::Sleep(static_cast<DWORD>(stepMs));
    }
}

// A dialog of that caption (Quillpad's window, its boxes).
HWND DialogWindow(const wchar_t* caption) {
    return ::FindWindowW(L"#32770", caption);
}

// Once shown: a window that is still being set up (its settings read) is
// not there yet.
HWND FindTopWindow(const wchar_t* caption, int timeoutMs) {
    HWND w = nullptr;
    WaitFor(timeoutMs, 50, [&] { return (w = DialogWindow(caption)) && ::IsWindowVisible(w); });
    return w && ::IsWindowVisible(w) ? w : nullptr;
}

HWND Main(int timeoutMs = 2000) {
    return FindTopWindow(L"Quillpad", timeoutMs);
}

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                        0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}

// Another process's control is read with WM_GETTEXT.
std::wstring TextOf(HWND w) {
    const auto length = ::SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got =
        ::SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

// The screen's pixels inside a rectangle, top row first, as 0x00RRGGBB.
struct Pixels {
    RECT r{};
    int width = 0, height = 0;
    std::vector<unsigned> p;

    unsigned At(int x, int y) const { return p[static_cast<std::size_t>(y) * width + x]; }

    // The commonest colour: a control's or a menu's background.
    unsigned Background() const {
        std::map<unsigned, int> counts;
        for (const unsigned c : p)
            ++counts[c];
        unsigned background = 0;
        int most = 0;
        for (const auto& [colour, n] : counts) {
            if (n > most) most = n, background = colour;
        }
        return background;
    }
};

Pixels Capture(const RECT& r) {
    Pixels out{r, r.right - r.left, r.bottom - r.top, {}};
    out.p.resize(static_cast<std::size_t>(out.width) * out.height);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, out.width, out.height);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, out.width, out.height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(mem, old);
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = out.width;
    h.biHeight = -out.height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    ::GetDIBits(mem, bmp, 0, out.height, out.p.data(), reinterpret_cast<BITMAPINFO*>(&h),
                DIB_RGB_COLORS);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    for (unsigned& c : out.p)
        c &= 0xFFFFFF;
    return out;
}

RECT WindowRect(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
}

// "green", "grey" or "none": the main colour of the image in the middle of
// a button, as the screen shows it (another program's icon handle cannot be
// read back here).
std::string IconColour(HWND button) {
    const RECT r = WindowRect(button);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const Pixels middle = Capture({cx - 6, cy - 6, cx + 7, cy + 7});
    // The button's face is no part of the pin, grey as a dark face may be.
    const unsigned face = middle.Background();
    long green = 0, grey = 0;
    for (const unsigned c : middle.p) {
        if (c == face) continue;
        const int red = static_cast<int>(c >> 16), g = static_cast<int>(c >> 8 & 0xFF),
                  b = static_cast<int>(c & 0xFF);
        if (g > red + 30 && g > b + 30)
            ++green;
        else if (std::abs(red - g) < 12 && std::abs(g - b) < 12 && red > 50 && red < 190)
            ++grey;
    }
    if (green < 5 && grey < 5) return "none";
    return green > grey ? "green" : "grey";
}

// The luminance of a colour, 0 to 255 (for telling ink from background).
int Brightness(unsigned c) {
    return static_cast<int>((c >> 16) * 2126 + (c >> 8 & 0xFF) * 7152 + (c & 0xFF) * 722) / 10000;
}

// "BACKGROUND INK" of a rectangle of the screen as RRGGBB: its commonest
// colour, and the colour farthest from it in brightness (its text), inside a
// margin that leaves out frames. `skip` holds rectangles left out (the
// dialog's controls, when the dialog's own colour is asked).
std::string Colours(const RECT& r, int margin, const std::vector<RECT>& skip = {}) {
    const Pixels all = Capture(r);
    std::map<unsigned, int> counts;
    for (int y = margin; y < all.height - margin; ++y) {
        for (int x = margin; x < all.width - margin; ++x) {
            const POINT at{r.left + x, r.top + y};
            if (std::any_of(skip.begin(), skip.end(),
                            [&](const RECT& s) { return ::PtInRect(&s, at); }))
                continue;
            ++counts[all.At(x, y)];
        }
    }
    unsigned back = 0, ink = 0;
    int most = 0, farthest = -1;
    for (const auto& [colour, n] : counts) {
        if (n > most) most = n, back = colour;
    }
    for (const auto& [colour, n] : counts) {
        const int distance = std::abs(Brightness(colour) - Brightness(back));
        if (n >= 3 && distance > farthest) farthest = distance, ink = colour;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%06X %06X", back, ink);
    return text;
}

// A rectangle of the screen, as a 24-bit bottom-up BMP.
bool ScreenshotOf(const RECT& r, const char* path) {
    const Pixels shot = Capture(r);
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = shot.width;
    h.biHeight = shot.height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    const int stride = (shot.width * 3 + 3) & ~3;
    std::vector<char> bits(static_cast<std::size_t>(stride) * shot.height);
    for (int y = 0; y < shot.height; ++y) {
        char* row = bits.data() + static_cast<std::size_t>(shot.height - 1 - y) * stride;
        for (int x = 0; x < shot.width; ++x) {
            const unsigned c = shot.At(x, y);
            char* pixel = row + static_cast<std::size_t>(x) * 3;
            pixel[0] = static_cast<char>(c & 0xFF);
            pixel[1] = static_cast<char>(c >> 8 & 0xFF);
            pixel[2] = static_cast<char>(c >> 16);
        }
    }
    BITMAPFILEHEADER f{};
    f.bfType = 0x4D42;
    f.bfOffBits = sizeof f + sizeof h;
    f.bfSize = f.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    std::fwrite(&f, sizeof f, 1, out);
    std::fwrite(&h, sizeof h, 1, out);
    std::fwrite(bits.data(), 1, bits.size(), out);
    std::fclose(out);
    return true;
}

// The window's pixels from the screen.
bool Screenshot(HWND w, const char* path) {
    return ScreenshotOf(WindowRect(w), path);
}

// The items of a popup menu as the screen shows them (another program's menu
// handle cannot be read here): the middle row of each run of rows that holds
// more than the background, then "@X", where the item's leftmost mark or
// letter begins, so a radio mark shows as an X left of the others. Runs
// thinner than four rows are separators and are left out. Read a menu before
// an item of it is lit: the highlight would join an item to its neighbours.
std::string MenuRows(HWND menu) {
    const Pixels menuPixels = Capture(WindowRect(menu));
    const RECT& r = menuPixels.r;
    const unsigned background = menuPixels.Background();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    std::string out = buffer;
    int start = -1;
    int leftmost = menuPixels.width;
    for (int y = 3; y <= menuPixels.height - 3; ++y) {
        int left = menuPixels.width; // the row's first drawn pixel, if any
        for (int x = 3;
             y < menuPixels.height - 3 && x < menuPixels.width - 3 && left == menuPixels.width;
             ++x) {
            if (menuPixels.At(x, y) != background) left = x;
        }
        const bool drawn = left < menuPixels.width;
        if (drawn && start < 0) {
            start = y;
            leftmost = left;
        }
        leftmost = std::min(leftmost, left);
        if (!drawn && start >= 0) {
            if (y - start >= 4) {
                std::snprintf(buffer, sizeof buffer, " %ld@%d", r.top + (start + y - 1) / 2,
                              leftmost);
                out += buffer;
            }
            start = -1;
        }
    }
    return out;
}

// The popup menus showing that belong to Quillpad's process, topmost first.
std::vector<HWND> QuillMenus() {
    std::vector<HWND> menus;
    DWORD quill = 0;
    if (HWND main = DialogWindow(L"Quillpad")) ::GetWindowThreadProcessId(main, &quill);
    for (HWND m = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); m;
         m = ::FindWindowExW(nullptr, m, L"#32768", nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(m, &owner);
        if (quill != 0 && owner == quill && ::IsWindowVisible(m)) menus.push_back(m);
    }
    return menus;
}

// Which of the rows `ys` of the screen rectangle `r` is drawn highlighted
// (mostly filled with something other than the background), or -1.
int LitRow(const RECT& r, const std::vector<int>& ys) {
    const Pixels menu = Capture(r);
    const unsigned background = menu.Background();
    for (std::size_t i = 0; i < ys.size(); ++i) {
        int filled = 0;
        for (int x = 3; x < menu.width - 3; ++x)
            filled += menu.At(x, ys[i] - r.top) != background;
        if (filled * 2 > menu.width - 6) return static_cast<int>(i);
    }
    return -1;
}

// How many rows of a control its text covers on the screen. The caret counts
// where it runs beside a thin stroke ("/", "(" ...), so measure texts of
// digits and "+" only.
int InkHeight(HWND control) {
    const Pixels line = Capture(WindowRect(control));
    const unsigned background = line.Background();
    int first = -1, last = -1;
    for (int y = 3; y < line.height - 3; ++y) {
        // A row of text has three drawn pixels at least; the blinking caret,
        // one or two wide, alone does not count.
        int drawn = 0;
        for (int x = 3; x < line.width - 3; ++x)
            drawn += line.At(x, y) != background;
        if (drawn >= 3) {
            if (first < 0) first = y;
            last = y;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The rows of a control its text covers: "FIRST LAST HEIGHT", FIRST and LAST
// counted from the control's top edge (-1 when nothing is drawn).
std::string InkRows(HWND control) {
    const Pixels line = Capture(WindowRect(control));
    const unsigned background = line.Background();
    int first = -1, last = -1;
    for (int y = 0; y < line.height; ++y) {
        int drawn = 0;
        for (int x = 3; x < line.width - 3; ++x)
            drawn += line.At(x, y) != background;
        // The frame's rows are drawn across the whole width; text is not.
        if (drawn >= 3 && drawn < (line.width - 6) * 3 / 4) {
            if (first < 0) first = y;
            last = y;
        }
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d %d %d", first, last, line.height);
    return buffer;
}

// Sends Escape with SendInput while a window of this program has the focus;
// prints "reached" when that window saw the key, "taken" when it did not.
int EscapeElsewhere() {
    static bool sawEscape = false;
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_KEYDOWN && wp == VK_ESCAPE) sawEscape = true;
        return ::DefWindowProcW(w, m, wp, lp);
    };
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillProbeWindow";
    ::RegisterClassW(&wc);
    HWND w = ::CreateWindowExW(0, wc.lpszClassName, L"Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetForegroundWindow(w);
    ::SetFocus(w);
    auto pump = [](int ms) {
        for (int t = 0; t < ms; t += 10) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::Sleep(10);
        }
    };
    pump(300);
    const bool focused = ::GetFocus() == w;
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_ESCAPE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    pump(500);
    std::printf("%s %s\n", focused ? "focused" : "unfocused", sawEscape ? "reached" : "taken");
    ::DestroyWindow(w);
    return 0;
}

// Waits up to `ms` for a live-region event; prints the control id it came
// from ("event 1001"), or "none".
int LiveEvent(int ms) {
    static int from = 0;
    HWINEVENTHOOK hook = ::SetWinEventHook(
        0x8019, 0x8019, nullptr, // EVENT_OBJECT_LIVEREGIONCHANGED
        [](HWINEVENTHOOK, DWORD, HWND w, LONG, LONG, DWORD, DWORD) { from = ::GetDlgCtrlID(w); }, 0,
        0, WINEVENT_OUTOFCONTEXT);
    if (!hook) return std::puts("refused"), 1;
    std::puts("hooked");
    std::fflush(stdout);
    for (int t = 0; t < ms && from == 0; t += 20) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    ::UnhookWinEvent(hook);
    return from ? (std::printf("event %d\n", from), 0) : (std::puts("none"), 1);
}

// The clipboard's text as "[TEXT]", or "none".
int ClipboardText() {
    if (!WaitFor(2000, 50, [] { return ::OpenClipboard(nullptr) != FALSE; }))
        return std::puts("busy"), 1;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* text = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    const std::string shown = text ? "[" + Utf8(text) + "]" : "none";
    if (text) ::GlobalUnlock(data);
    ::CloseClipboard();
    return std::puts(shown.c_str()), 0;
}

HWND Item(HWND w, const char* id) {
    return ::GetDlgItem(w, std::atoi(id));
}

int Usage() {
    std::fprintf(stderr, "usage: quill_probe [--out FILE] wait|text ID|sel "
                         "ID|window|pin|focus|close|minimize|layout|strip|"
                         "shot FILE|box CAPTION|escape-elsewhere|hold-escape MS|gone|\n"
                         "menus COUNT|menu-gone|lit WANT LEFT TOP RIGHT BOTTOM "
                         "Y...|font-dialog|about ID|about-item ID|ink ID|ink-rows ID|\n"
                         "resize WIDTH|live-event MS|colours ID|about-colours ID|about-shot "
                         "FILE|setting-change AREA|"
                         "clipboard|set-clipboard TEXT|hold-file PATH MS|close-all COUNT\n");
    return 2;
}

// The command's words: argv[1] is its name, argv[2] on its arguments.
struct Args {
    int argc;
    char** argv;
    int Int(int i) const { return std::atoi(argv[i]); }
    std::wstring Wide(int i) const { return {argv[i], argv[i] + std::strlen(argv[i])}; }
};

int SetClipboard(const Args& a) { // puts TEXT on the clipboard
    if (!WaitFor(2000, 50, [] { return ::OpenClipboard(nullptr) != FALSE; })) return 1;
    ::EmptyClipboard();
    const std::wstring text = a.Wide(2);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
    return 0;
}

int HoldFile(const Args& a) { // holds PATH open, unshared, for MS milliseconds
    HANDLE h =
        ::CreateFileW(a.Wide(2).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::puts("refused"), 1;
    std::puts("holding");
    std::fflush(stdout);
    ::Sleep(static_cast<DWORD>(a.Int(3)));
    ::CloseHandle(h);
    return 0;
}

int CloseAll(const Args& a) { // once COUNT Quillpad windows show, closes all at once
    std::vector<HWND> all;
    WaitFor(10000, 50, [&] {
        all.clear();
        ::EnumWindows(
            [](HWND w, LPARAM list) {
                if (::IsWindowVisible(w) && TextOf(w) == L"Quillpad")
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
        return static_cast<int>(all.size()) >= a.Int(2);
    });
    for (HWND w : all)
        ::PostMessageW(w, WM_CLOSE, 0, 0);
    return std::printf("%zu\n", all.size()), 0;
}

int Menus(const Args& a) { // waits until COUNT popup menus show; one line each, the newest first
    const int count = a.argc > 2 ? a.Int(2) : 1;
    std::vector<HWND> menus;
    if (!WaitFor(5000, 50,
                 [&] { return static_cast<int>((menus = QuillMenus()).size()) >= count; })) {
        return std::puts("none"), 1;
    }
    ::Sleep(150); // let the newest one finish drawing
    for (HWND m : menus)
        std::printf("%s\n", MenuRows(m).c_str());
    return 0;
}

int Lit(const Args&
            a) { // lit WANT LEFT TOP RIGHT BOTTOM Y...: the lit row, once it is WANT (2 s at most)
    const int want = a.Int(2);
    const RECT r{a.Int(3), a.Int(4), a.Int(5), a.Int(6)};
    std::vector<int> ys;
    for (int i = 7; i < a.argc; ++i)
        ys.push_back(a.Int(i));
    int lit = -1;
    WaitFor(2000, 100, [&] { return (lit = LitRow(r, ys)) == want; });
    return std::printf("%d\n", lit), 0;
}

int MenuGone(const Args&) { // waits until no popup menu shows (3 s at most)
    if (WaitFor(3000, 50, [] { return QuillMenus().empty(); })) return std::puts("gone"), 0;
    return std::puts("open"), 1;
}

int HoldEscape(const Args& a) { // holds Escape as a hot key for that many milliseconds
    if (!::RegisterHotKey(nullptr, 1, 0, VK_ESCAPE)) return std::puts("refused"), 1;
    std::puts("holding");
    std::fflush(stdout);
    const DWORD until = ::GetTickCount() + static_cast<DWORD>(a.Int(2));
    while (::GetTickCount() < until) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(20);
    }
    ::UnregisterHotKey(nullptr, 1);
    return 0;
}

int Gone(const Args&) { // waits until the window has gone
    if (WaitFor(10000, 50, [] { return DialogWindow(L"Quillpad") == nullptr; }))
        return std::puts("gone"), 0;
    return 1;
}

int Box(const Args& a) { // a message box of that caption: its text
    HWND box = FindTopWindow(a.Wide(2).c_str(), 500);
    if (!box) return std::puts("none"), 1;
    return std::printf("%s\n", Utf8(TextOf(::GetDlgItem(box, 0xFFFF))).c_str()), 0;
}

int Layout(const Args&) { // the data file's fields in file order: NAME KIND, one a line
    static const char* const kinds[] = {"flag", "byte", "int32", "counted"};
    for (const quill::FieldInfo& f : quill::RecordLayout()) {
        std::printf("%.*s %s\n", static_cast<int>(f.name.size()), f.name.data(),
                    kinds[static_cast<int>(f.kind)]);
    }
    return 0;
}

// The popup menu's items as the user sees them, separators left out: a
// text a line (its shortcut after a tab dropped), first the main menu's,
// then "SUBMENU: ITEM" for each submenu's.
int MenuItems(const Args&) {
    using quill::ui::ItemsOf;
    using quill::ui::Menu;
    const auto text = [](const wchar_t* t) {
        const std::wstring whole = t;
        return Utf8(whole.substr(0, whole.find(L'\t')));
    };
    for (const quill::ui::MenuItem& item : ItemsOf(Menu::Main)) {
        if (item.text) std::printf("%s\n", text(item.text).c_str());
    }
    for (const quill::ui::MenuItem& item : ItemsOf(Menu::Main)) {
        if (!item.opens) continue;
        for (const quill::ui::MenuItem& sub : ItemsOf(*item.opens)) {
            if (sub.text) std::printf("%s: %s\n", text(item.text).c_str(), text(sub.text).c_str());
        }
    }
    return 0;
}

int Strip(const Args&) { // the empty strip cut off the window's template, in pixels at 96 DPI
    return std::printf("%d\n", quill::ui::kEmptyStripPixels), 0;
}

int FontDialog(const Args&) { // the common font dialog's face and size: "FACE|SIZE"
    HWND font = FindTopWindow(L"Font", 5000);
    if (!font) return std::puts("none"), 1;
    return std::printf("%s|%s\n", Utf8(TextOf(::GetDlgItem(font, 0x470))).c_str(),
                       Utf8(TextOf(::GetDlgItem(font, 0x472))).c_str()),
           0;
}

int About(const Args& a) { // a control of the about box: its text
    HWND about = FindTopWindow(L"About Quillpad", 5000);
    if (!about) return std::puts("none"), 1;
    return std::printf("[%s]\n", Utf8(TextOf(Item(about, a.argv[2]))).c_str()), 0;
}

int AboutItem(const Args& a) { // a control of the about box: its place
    HWND about = FindTopWindow(L"About Quillpad", 8000);
    if (!about) return std::puts("none"), 1;
    RECT r{};
    ::GetWindowRect(Item(about, a.argv[2]), &r);
    return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom), 0;
}

int EscapeElsewhereCommand(const Args&) {
    return EscapeElsewhere();
}

int LiveEventCommand(const Args& a) {
    return LiveEvent(a.argc > 2 ? a.Int(2) : 5000);
}

int ClipboardCommand(const Args&) {
    return ClipboardText();
}

// Commands on the main window, once it shows.
int Wait(HWND w, const Args&) {
    return std::printf("%p\n", static_cast<void*>(w)), 0;
}

int Text(HWND w, const Args& a) {
    return std::printf("[%s]\n", Utf8(TextOf(Item(w, a.argv[2]))).c_str()), 0;
}

int Sel(HWND w, const Args& a) {
    DWORD start = 0, end = 0;
    ::SendMessageW(Item(w, a.argv[2]), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return std::printf("%lu %lu\n", start, end), 0;
}

int Window(HWND w, const Args&) {
    RECT r{};
    ::GetWindowRect(w, &r);
    const LONG ex = ::GetWindowLongW(w, GWL_EXSTYLE);
    const LONG style = ::GetWindowLongW(w, GWL_STYLE);
    return std::printf("%ld %ld %ld %ld topmost=%d iconic=%d style=%08lx exstyle=%08lx\n", r.left,
                       r.top, r.right, r.bottom, (ex & WS_EX_TOPMOST) ? 1 : 0,
                       ::IsIconic(w) ? 1 : 0, static_cast<unsigned long>(style),
                       static_cast<unsigned long>(ex)),
           0;
}

int ItemPlace(HWND w, const Args& a) { // a control's rectangle on the screen and its styles
    HWND c = Item(w, a.argv[2]);
    RECT r{};
    ::GetWindowRect(c, &r);
    return std::printf("%ld %ld %ld %ld style=%08lx exstyle=%08lx\n", r.left, r.top, r.right,
                       r.bottom, static_cast<unsigned long>(::GetWindowLongW(c, GWL_STYLE)),
                       static_cast<unsigned long>(::GetWindowLongW(c, GWL_EXSTYLE))),
           0;
}

int Ink(HWND w, const Args& a) {
    return std::printf("%d\n", InkHeight(Item(w, a.argv[2]))), 0;
}

int InkRowsCommand(HWND w, const Args& a) {
    return std::printf("%s\n", InkRows(Item(w, a.argv[2])).c_str()), 0;
}

int Resize(HWND w, const Args& a) { // resize WIDTH: the window that wide, as a drag would leave it
    RECT r = WindowRect(w);
    ::SetWindowPos(w, nullptr, 0, 0, a.Int(2), r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    r = WindowRect(w);
    return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom), 0;
}

int Move(HWND w, const Args& a) { // move X Y: the window's corner there, as a drag would leave it
    ::SetWindowPos(w, nullptr, a.Int(2), a.Int(3), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT r = WindowRect(w);
    return std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom), 0;
}

// colours ID: a control's background and ink; colours 0: the dialog's own
// background beside its controls.
int ColoursOf(HWND w, const Args& a) {
    if (a.Int(2) != 0)
        return std::printf("%s\n", Colours(WindowRect(Item(w, a.argv[2])), 3).c_str()), 0;
    RECT client{};
    ::GetClientRect(w, &client);
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<RECT> controls;
    for (HWND c = ::GetWindow(w, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (::IsWindowVisible(c)) controls.push_back(WindowRect(c));
    return std::printf("%s\n", Colours(client, 0, controls).c_str()), 0;
}

// about-colours ID: the same in the about box.
int AboutColours(const Args& a) {
    HWND about = FindTopWindow(L"About Quillpad", 5000);
    if (!about) return std::puts("none"), 1;
    return ColoursOf(about, a);
}

// about-shot FILE: the about box's pixels as a BMP.
int AboutShot(const Args& a) {
    HWND about = FindTopWindow(L"About Quillpad", 5000);
    if (!about) return std::puts("none"), 1;
    return Screenshot(about, a.argv[2]) ? 0 : 1;
}

// The history list's popup, once it shows; null when it does not.
HWND HistoryPopup(int timeoutMs) {
    HWND w = nullptr;
    WaitFor(timeoutMs, 50, [&] {
        return (w = ::FindWindowW(L"QuillpadHistory", nullptr)) && ::IsWindowVisible(w);
    });
    return w && ::IsWindowVisible(w) ? w : nullptr;
}

HWND ChildOfClass(HWND parent, const wchar_t* name) {
    return ::FindWindowExW(parent, nullptr, name, nullptr);
}

// A cell of another process's list view: LVM_GETITEMTEXTW needs its item and
// buffer in that process's memory.
class RemoteList {
  public:
    explicit RemoteList(HWND list) : list_(list) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        process_ =
            ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            memory_ = ::VirtualAllocEx(process_, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE);
    }
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;
    ~RemoteList() {
        if (memory_) ::VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) ::CloseHandle(process_);
    }
    std::wstring Cell(int row, int column) const {
        if (!memory_) return L"?";
        auto* text = static_cast<char*>(memory_) + sizeof(LVITEMW);
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(text);
        item.cchTextMax = kChars;
        ::WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
        const auto n =
            ::SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory_));
        std::wstring out(static_cast<std::size_t>(n), L'\0');
        ::ReadProcessMemory(process_, text, out.data(), out.size() * sizeof(wchar_t), nullptr);
        return out;
    }

  private:
    static constexpr int kChars = 4096;
    static constexpr std::size_t kBytes = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    HWND list_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

// list: the history list once it shows: "filter [TEXT]", then a row a line,
// "EXPRESSION<TAB>ANSWER", the selected one after "> ".
int List(const Args&) {
    HWND popup = HistoryPopup(5000);
    if (!popup) return std::puts("none"), 1;
    ::Sleep(100); // let a refill finish
    HWND list = ChildOfClass(popup, WC_LISTVIEWW);
    std::printf("filter [%s]\n", Utf8(TextOf(ChildOfClass(popup, L"Edit"))).c_str());
    const RemoteList remote(list);
    const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const auto selected = static_cast<int>(
        ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    for (int row = 0; row < rows; ++row) {
        std::printf("%s%s\t%s\n", row == selected ? "> " : "", Utf8(remote.Cell(row, 0)).c_str(),
                    Utf8(remote.Cell(row, 1)).c_str());
    }
    return 0;
}

// list-place: the main window's and the list's rectangles, and whether the
// list has the keyboard: "L T R B L T R B focus=0|1".
int ListPlace(const Args&) {
    HWND popup = HistoryPopup(5000);
    HWND main = Main();
    if (!popup || !main) return std::puts("none"), 1;
    const RECT w = WindowRect(main), l = WindowRect(popup);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(popup, nullptr), &gui);
    return std::printf("%ld %ld %ld %ld %ld %ld %ld %ld focus=%d\n", w.left, w.top, w.right,
                       w.bottom, l.left, l.top, l.right, l.bottom,
                       ::GetParent(gui.hwndFocus) == popup ? 1 : 0),
           0;
}

// list-colours: the rows' background and ink, "BACK INK" as RRGGBB.
int ListColours(const Args&) {
    HWND popup = HistoryPopup(5000);
    if (!popup) return std::puts("none"), 1;
    return std::printf("%s\n", Colours(WindowRect(ChildOfClass(popup, WC_LISTVIEWW)), 3).c_str()),
           0;
}

int ListGone(const Args&) { // waits until the history list has closed
    if (WaitFor(5000, 50, [] { return HistoryPopup(0) == nullptr; })) return std::puts("gone"), 0;
    return std::puts("open"), 1;
}

// list-shot FILE: the window and its history list, as one BMP.
int ListShot(const Args& a) {
    HWND popup = HistoryPopup(5000);
    HWND main = Main();
    if (!popup || !main) return std::puts("none"), 1;
    RECT both{};
    const RECT w = WindowRect(main), l = WindowRect(popup);
    ::UnionRect(&both, &w, &l);
    return ScreenshotOf(both, a.argv[2]) ? 0 : 1;
}

// setting-change AREA: every top window is told that AREA of the settings
// changed, as Windows does when the user picks another theme.
int SettingChange(const Args& a) {
    const std::wstring area = a.Wide(2);
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                          reinterpret_cast<LPARAM>(area.c_str()), SMTO_ABORTIFHUNG, 5000, &answer);
    return std::puts("sent"), 0;
}

int Pin(HWND w, const Args&) {
    return std::printf("%s\n", IconColour(::GetDlgItem(w, IDC_BTN_TOP)).c_str()), 0;
}

int Focus(HWND w, const Args&) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(w, nullptr), &gui);
    return std::printf("%d\n", gui.hwndFocus ? ::GetDlgCtrlID(gui.hwndFocus) : 0), 0;
}

int Close(HWND w, const Args&) {
    return ::PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Minimize(HWND w, const Args&) {
    return ::ShowWindow(w, SW_MINIMIZE), 0;
}

int Shot(HWND w, const Args& a) {
    return Screenshot(w, a.argv[2]) ? 0 : 1;
}

// The commands: name, the fewest words (the program's name counted), what runs.
struct Command {
    const char* name;
    int words;
    int (*run)(const Args&);
};
constexpr Command kCommands[] = {
    {"escape-elsewhere", 2, EscapeElsewhereCommand},
    {"live-event", 2, LiveEventCommand},
    {"clipboard", 2, ClipboardCommand},
    {"set-clipboard", 3, SetClipboard},
    {"hold-file", 4, HoldFile},
    {"close-all", 3, CloseAll},
    {"menus", 2, Menus},
    {"lit", 8, Lit},
    {"menu-gone", 2, MenuGone},
    {"hold-escape", 3, HoldEscape},
    {"gone", 2, Gone},
    {"box", 3, Box},
    {"layout", 2, Layout},
    {"strip", 2, Strip},
    {"menu-items", 2, MenuItems},
    {"font-dialog", 2, FontDialog},
    {"about", 3, About},
    {"about-item", 3, AboutItem},
    {"setting-change", 3, SettingChange},
    {"about-colours", 3, AboutColours},
    {"about-shot", 3, AboutShot},
    {"list", 2, List},
    {"list-place", 2, ListPlace},
    {"list-gone", 2, ListGone},
    {"list-colours", 2, ListColours},
    {"list-shot", 3, ListShot},
};

struct WindowCommand {
    const char* name;
    int words;
    int (*run)(HWND, const Args&);
};
constexpr WindowCommand kWindowCommands[] = {
    {"wait", 2, Wait},         {"text", 3, Text},         {"sel", 3, Sel},
    {"window", 2, Window},     {"item", 3, ItemPlace},    {"ink", 3, Ink},
    {"pin", 2, Pin},           {"focus", 2, Focus},       {"close", 2, Close},
    {"minimize", 2, Minimize}, {"shot", 3, Shot},         {"ink-rows", 3, InkRowsCommand},
    {"resize", 3, Resize},     {"colours", 3, ColoursOf}, {"move", 4, Move},
};

int Run(const Args& a) {
    const std::string name = a.argv[1];
    for (const Command& c : kCommands) {
        if (name == c.name && a.argc >= c.words) return c.run(a);
    }
    for (const WindowCommand& c : kWindowCommands) {
        if (name != c.name || a.argc < c.words) continue;
        HWND w = Main(name == "wait" ? (a.argc > 2 ? a.Int(2) : 20000) : 2000);
        if (!w) return std::puts("no window"), 1;
        return c.run(w, a);
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv) {
    // --out FILE: the answer goes to that file, for a probe started inside
    // Wine's virtual desktop, whose output nobody reads.
    if (argc > 3 && std::strcmp(argv[1], "--out") == 0) {
        if (!std::freopen(argv[2], "w", stdout)) return 2;
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) return Usage();
    return Run({argc, argv});
}

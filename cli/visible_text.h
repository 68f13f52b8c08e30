// Text typed or piped in, made harmless for a terminal before it is echoed:
// a control character could otherwise set the window's title, move the
// cursor or worse. C0 controls (but the tab) and DEL show as ^X, a C1
// control byte as \xHH, and a C1 character in UTF-8 as \u00HH. Portable;
// never throws but std::bad_alloc.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quill::cli {

// The text with its control characters escaped.
std::string VisibleText(std::string_view text);

// How many columns each byte of `text` takes in VisibleText(text): 1 for a
// byte shown as it is, the escape's length for an escaped one (0 for the
// second byte of an escaped UTF-8 character).
std::vector<int> VisibleWidths(std::string_view text);

// The text with every control character (the tab, CR, LF and NUL among
// them) as a backslash escape, for a field of a TSV line.
std::string TsvField(std::string_view text);

} // namespace quill::cli

// The maker's addresses, each written once.
#pragma once

namespace quill::ui {

#define QUILL_SITE "http://www.quillpad.example"

inline constexpr const char* kMakerSite = QUILL_SITE;
inline constexpr const char* kSupportAddress = "support@quillpad.example";
inline constexpr const char* kHelpUrl = QUILL_SITE "/math_calculator/help/?from=Quillpad";
inline constexpr const char* kHomeUrl = QUILL_SITE "?from=Quillpad";

#undef QUILL_SITE

} // namespace quill::ui

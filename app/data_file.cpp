#include "app/data_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <type_traits>
#include <variant>

namespace quill {

namespace {

class Writer {
  public:
    void Byte(std::uint8_t b) { out_.push_back(b); }
    void U16(std::uint16_t v) { Little(v, 2); }
    void U32(std::uint32_t v) { Little(v, 4); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }

    // The shortest prefix for the length, then the characters.
    void Counted(std::string_view text) {
        const std::size_t n = text.size();
        if (n <= 254) {
            Byte(static_cast<std::uint8_t>(n));
        } else if (n <= 65533) {
            Byte(0xFF);
            U16(static_cast<std::uint16_t>(n));
        } else {
            Byte(0xFF);
            U16(0xFFFF);
            U32(static_cast<std::uint32_t>(n));
        }
        out_.insert(out_.end(), text.begin(), text.end());
    }

    std::vector<std::uint8_t> Take() { return std::move(out_); }

  private:
    void Little(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> out_;
};

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint64_t> Little(std::size_t count) {
        if (Left() < count) return std::nullopt;
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < count; ++i)
            v |= std::uint64_t{bytes_[pos_ + i]} << (8 * i);
        pos_ += count;
        return v;
    }
    bool Byte(std::uint8_t& b) { return Take(b, 1); }
    bool I32(std::int32_t& v) {
        std::uint32_t u = 0;
        if (!Take(u, 4)) return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool Bool(bool& b) {
        std::uint8_t byte = 0;
        if (!Byte(byte)) return false;
        b = byte != 0;
        return true;
    }
    bool Counted(std::string& text, WideToAnsi convert);

  private:
    template <typename T> bool Take(T& out, std::size_t count) {
        const auto v = Little(count);
        if (v) out = static_cast<T>(*v);
        return v.has_value();
    }
    std::size_t Left() const { return bytes_.size() - pos_; }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// The length prefix: a byte; FF then 16 bits; FFFF then 32 bits; FFFFFFFF
// then 64 bits, which must stay below 2^31. FF FE before it marks two-byte
// text (only once: a second FFFE is a length).
bool Reader::Counted(std::string& text, WideToAnsi convert) {
    bool wide = false;
    std::uint64_t length = 0;
    for (;;) {
        const auto first = Little(1);
        if (!first) return false;
        length = *first;
        if (length != 0xFF) break;
        const auto word = Little(2);
        if (!word) return false;
        length = *word;
        if (length == 0xFFFE && !wide) {
            wide = true;
            continue;
        }
        if (length != 0xFFFF) break;
        const auto dword = Little(4);
        if (!dword) return false;
        length = *dword;
        if (length != 0xFFFFFFFF) break;
        const auto qword = Little(8);
        if (!qword || *qword >= (std::uint64_t{1} << 31)) return false;
        length = *qword;
        break;
    }
    const std::uint64_t size = length * (wide ? 2 : 1);
    if (size > Left()) return false; // checked before anything is allocated
    const std::uint8_t* chars = bytes_.data() + pos_;
    pos_ += static_cast<std::size_t>(size);
    if (!wide) {
        text.assign(reinterpret_cast<const char*>(chars), static_cast<std::size_t>(size));
        return true;
    }
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(chars[2 * i] | (chars[2 * i + 1] << 8));
    }
    text = convert(units);
    return true;
}

// The face name as LOGFONT holds it: up to its zero, 31 characters at most.
std::string_view FaceOf(const LogFontA& font) {
    const char* face = font.lfFaceName;
    return {face,
            static_cast<std::size_t>(std::find(face, face + sizeof font.lfFaceName, '\0') - face)};
}

void SetFace(LogFontA& font, std::string_view face) {
    face = face.substr(0, std::min(face.find('\0'), sizeof font.lfFaceName - 1));
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), face.size());
}

// Where a field of a record is read from and written to; its type gives the
// field's kind, in the order of FieldKind.
using FieldTarget = std::variant<bool*, std::uint8_t*, std::int32_t*, std::string*>;

struct Field {
    std::string_view name;
    FieldTarget target;
};

// The record's layout: every field in file order, bound to `s` (the face
// name goes through `face`, as the file holds it without its zeros).
std::array<Field, 12> Fields(CalcSettings& s, std::string& face) {
    return {{
        {"bTopmost", &s.bTopmost},
        {"nReserved", &s.nReserved},
        {"nRound", &s.nRound},
        {"nFormat", &s.nFormat},
        {"nLeft", &s.nLeft},
        {"nTop", &s.nTop},
        {"lfFont.lfFaceName", &face},
        {"lfFont.lfHeight", &s.lfFont.lfHeight},
        {"lfFont.lfItalic", &s.lfFont.lfItalic},
        {"lfFont.lfWeight", &s.lfFont.lfWeight},
        {"strReserved", &s.strReserved},
        {"bDegrees", &s.bDegrees},
    }};
}

std::array<FieldInfo, 12> MakeLayout() {
    CalcSettings s;
    std::string face;
    std::array<FieldInfo, 12> layout{};
    const std::array<Field, 12> fields = Fields(s, face);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        layout[i] = {fields[i].name, static_cast<FieldKind>(fields[i].target.index())};
    }
    return layout;
}

} // namespace

std::string Utf16ToLatin1(std::u16string_view text) {
    std::string out(text.size(), '?');
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] <= 0xFF) out[i] = static_cast<char>(text[i]);
    }
    return out;
}

std::span<const FieldInfo> RecordLayout() {
    static const std::array<FieldInfo, 12> layout = MakeLayout();
    return layout;
}

std::vector<std::uint8_t> SettingsToBytes(const CalcSettings& settings) {
    CalcSettings s = settings;
    std::string face(FaceOf(s.lfFont));
    Writer w;
    for (const Field& field : Fields(s, face)) {
        std::visit(
            [&w](auto* member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (std::is_same_v<T, bool>)
                    w.Byte(*member ? 1 : 0);
                else if constexpr (std::is_same_v<T, std::uint8_t>)
                    w.Byte(*member);
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    w.I32(*member);
                else
                    w.Counted(*member);
            },
            field.target);
    }
    return w.Take();
}

bool SettingsFromBytes(std::span<const std::uint8_t> bytes, CalcSettings& s, WideToAnsi convert) {
    Reader r(bytes);
    std::string face;
    for (const Field& field : Fields(s, face)) {
        const bool read = std::visit(
            [&r, convert](auto* member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (std::is_same_v<T, bool>)
                    return r.Bool(*member);
                else if constexpr (std::is_same_v<T, std::uint8_t>)
                    return r.Byte(*member);
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    return r.I32(*member);
                else
                    return r.Counted(*member, convert);
            },
            field.target);
        if (!read) return false;
    }
    SetFace(s.lfFont, face);
    return true;
}

} // namespace quill

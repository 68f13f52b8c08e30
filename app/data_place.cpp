#include "app/data_place.h"

#include <charconv>

#include "app/data_file.h"

namespace quill {

bool SavesOnClose(LoadOutcome outcome) {
    return outcome != LoadOutcome::Held && outcome != LoadOutcome::Kept;
}

namespace {

// Takes one to eight lower-case hexadecimal digits from the front of `rest`.
bool TakeHex(std::string_view& rest) {
    std::size_t n = 0;
    while (n < rest.size() && n < 9 &&
           ((rest[n] >= '0' && rest[n] <= '9') || (rest[n] >= 'a' && rest[n] <= 'f'))) {
        ++n;
    }
    if (n == 0 || n > 8) return false;
    rest.remove_prefix(n);
    return true;
}

bool Take(std::string_view& rest, std::string_view part) {
    if (rest.substr(0, part.size()) != part) return false;
    rest.remove_prefix(part.size());
    return true;
}

} // namespace

bool IsSaveTempName(std::string_view name, std::string_view base) {
    if (!Take(name, base) || !Take(name, ".")) return false;
    if (name == "tmp") return base == kDataFileName;
    return TakeHex(name) && Take(name, "-") && TakeHex(name) && name == ".tmp";
}

std::string SaveTempSuffix(std::uint32_t pid, std::uint32_t serial) {
    char digits[8];
    std::string out = ".";
    auto hex = [&](std::uint32_t n) {
        out.append(digits, std::to_chars(digits, digits + sizeof digits, n, 16).ptr);
    };
    hex(pid);
    out += '-';
    hex(serial);
    return out + ".tmp";
}

std::optional<DataPlace> PlaceToRead(std::optional<std::uint64_t> beside,
                                     std::optional<std::uint64_t> roaming) {
    if (!roaming) return beside ? std::optional(DataPlace::Beside) : std::nullopt;
    if (!beside || *roaming > *beside) return DataPlace::Roaming;
    return DataPlace::Beside;
}

} // namespace quill

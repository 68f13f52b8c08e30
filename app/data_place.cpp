#include "app/data_place.h"

namespace quill {

bool SavesOnClose(LoadOutcome outcome) {
    return outcome != LoadOutcome::Held;
}

std::optional<DataPlace> PlaceToRead(std::optional<std::uint64_t> beside,
                                     std::optional<std::uint64_t> roaming) {
    if (!roaming) return beside ? std::optional(DataPlace::Beside) : std::nullopt;
    if (!beside || *roaming > *beside) return DataPlace::Roaming;
    return DataPlace::Beside;
}

} // namespace quill

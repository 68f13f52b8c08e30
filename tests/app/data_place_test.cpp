// Which of the two data files a start reads.
#include "app/data_place.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(DataPlace, TheNewerFileIsRead) {
    using T = std::optional<std::uint64_t>;
    struct Row {
        T beside, roaming;
        std::optional<DataPlace> read;
    };
    const Row rows[] = {
        {std::nullopt, std::nullopt, std::nullopt},
        {5, std::nullopt, DataPlace::Beside},
        {std::nullopt, 5, DataPlace::Roaming},
        {5, 6, DataPlace::Roaming},
        {6, 5, DataPlace::Beside},
        {5, 5, DataPlace::Beside},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PlaceToRead(row.beside, row.roaming), row.read);
    }
}

} // namespace
} // namespace quill

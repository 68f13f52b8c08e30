// Which of the two data files a start reads.
#include "app/data_place.h"

#include <string>

#include <gtest/gtest.h>

#include "app/data_file.h"

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

// Only what a save names its temporary file is ever swept away.
TEST(DataPlace, OnlyTheSavesOwnTemporaryNames) {
    const struct {
        const char* name;
        bool ours;
    } rows[] = {
        {"dataclc.dat.tmp", true},
        {"dataclc.dat.4d2-0.tmp", true},
        {"dataclc.dat.ffffffff-3f.tmp", true},
        {"dataclc.dat notes.tmp", false},
        {"dataclc.dat.backup-2023.tmp", false},
        {"dataclc.datXYZ.tmp", false},
        {"dataclc.dat.4D2-0.tmp", false},
        {"dataclc.dat.123456789-0.tmp", false},
        {"dataclc.dat.-0.tmp", false},
        {"dataclc.dat.12-.tmp", false},
        {"dataclc.dat.12-0.tmp.tmp", false},
        {"dataclc.dat.12-0.tmpx", false},
        {"dataclc.dat", false},
        {"xdataclc.dat.tmp", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsSaveTempName(row.name), row.ours) << row.name;
}

// Every name a save gives its temporary file is one the sweep knows.
TEST(DataPlace, SavesNameTheirTemporaryFilesSoTheSweepKnowsThem) {
    const struct {
        std::uint32_t pid, serial;
        const char* suffix;
    } rows[] = {
        {0x4d2, 0, ".4d2-0.tmp"},
        {0xffffffff, 0xffffffff, ".ffffffff-ffffffff.tmp"},
        {1, 0x3f, ".1-3f.tmp"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SaveTempSuffix(row.pid, row.serial), row.suffix);
        EXPECT_TRUE(IsSaveTempName(std::string(kDataFileName) + row.suffix)) << row.suffix;
    }
}

} // namespace
} // namespace quill

// The data file's bytes, both ways, and the settings rules.
#include "app/data_file.h"

#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace quill {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Rect kDesktop{0, 0, 1024, 768};
const Rect kWindow{0, 0, 184, 68};

// The defaults with the window at (420, 400).
const Bytes kWorkedExample{0x01, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                           0x00, 0x00, 0x00, 0xA4, 0x01, 0x00, 0x00, 0x90, 0x01, 0x00,
                           0x00, 0x07, 0x56, 0x65, 0x72, 0x64, 0x61, 0x6E, 0x61, 0xF3,
                           0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

CalcSettings Defaults() {
    CalcSettings s;
    SetDefaultSettings(s, kWindow, kDesktop);
    s.nLeft = 420;
    s.nTop = 400;
    return s;
}

// The worked example with strReserved replaced by `prefix` and `chars`.
Bytes WithReserved(const Bytes& prefix, const Bytes& chars) {
    Bytes b;
    b.reserve(38 + prefix.size() + chars.size() + 1);
    b.assign(kWorkedExample.begin(), kWorkedExample.begin() + 38);
    for (const std::uint8_t c : prefix)
        b.push_back(c);
    for (const std::uint8_t c : chars)
        b.push_back(c);
    b.push_back(0x01); // degrees
    return b;
}

TEST(DataFile, WorkedExampleBothWays) {
    EXPECT_EQ(SettingsToBytes(Defaults()), kWorkedExample);
    CalcSettings read;
    ASSERT_TRUE(SettingsFromBytes(kWorkedExample, read));
    EXPECT_EQ(read, Defaults());
}

// The layout the end-to-end tests read their offsets from tells the truth:
// walking it over the worked example ends exactly at its last byte, and each
// integer field found there holds the record's value.
TEST(DataFile, LayoutWalksTheWorkedExample) {
    const CalcSettings s = Defaults();
    const std::pair<std::string_view, std::int32_t> integers[] = {
        {"nReserved", s.nReserved},
        {"nRound", s.nRound},
        {"nFormat", s.nFormat},
        {"nLeft", s.nLeft},
        {"nTop", s.nTop},
        {"lfFont.lfHeight", s.lfFont.lfHeight},
        {"lfFont.lfWeight", s.lfFont.lfWeight},
    };
    std::size_t at = 0;
    int found = 0;
    for (const FieldInfo& field : RecordLayout()) {
        ASSERT_LT(at, kWorkedExample.size()) << field.name;
        switch (field.kind) {
        case FieldKind::Flag:
        case FieldKind::Byte:
            at += 1;
            break;
        case FieldKind::Counted:
            at += 1 + kWorkedExample[at];
            break;
        case FieldKind::Int32: {
            std::int32_t v = 0;
            std::memcpy(&v, &kWorkedExample[at], 4);
            for (const auto& [name, value] : integers) {
                if (name == field.name) {
                    EXPECT_EQ(v, value) << name;
                    ++found;
                }
            }
            at += 4;
            break;
        }
        }
    }
    EXPECT_EQ(at, kWorkedExample.size());
    EXPECT_EQ(found, 7);
}

TEST(DataFile, WriterChoosesTheShortestPrefix) {
    const struct {
        std::size_t length;
        Bytes prefix;
    } rows[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& row : rows) {
        CalcSettings s = Defaults();
        s.strReserved.assign(row.length, 'r');
        const Bytes bytes = SettingsToBytes(s);
        ASSERT_EQ(bytes.size(), 31 + 8 + row.prefix.size() + row.length);
        EXPECT_TRUE(std::equal(row.prefix.begin(), row.prefix.end(), bytes.begin() + 38))
            << row.length;
        CalcSettings back;
        ASSERT_TRUE(SettingsFromBytes(bytes, back));
        EXPECT_EQ(back, s) << row.length;
    }
}

TEST(DataFile, ReaderTakesEveryPrefixForm) {
    const struct {
        Bytes prefix;
        Bytes chars;
        std::string text;
    } rows[] = {
        {{0x02}, {'a', 'b'}, "ab"},
        {{0xFF, 0x02, 0x00}, {'a', 'b'}, "ab"},
        {{0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, {'a', 'b'}, "ab"},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 0, 0, 0, 0}, {'a', 'b'}, "ab"},
        // Two-byte text: FF FE, then the length as for single-byte text.
        {{0xFF, 0xFE, 0xFF, 0x02}, {'a', 0, 0xE9, 0}, "a\xE9"},
        {{0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00}, {0x42, 0x04}, "?"},
        {{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}, {'z', 0}, "z"},
    };
    for (const auto& row : rows) {
        CalcSettings s;
        ASSERT_TRUE(SettingsFromBytes(WithReserved(row.prefix, row.chars), s)) << row.text;
        EXPECT_EQ(s.strReserved, row.text);
        EXPECT_TRUE(s.bDegrees);
    }
    // After FF FE, a second FFFE is a length: 65534 two-byte characters.
    Bytes wideFffe{0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF};
    CalcSettings s;
    ASSERT_TRUE(SettingsFromBytes(WithReserved(wideFffe, Bytes(std::size_t{2} * 65534, 'w')), s));
    EXPECT_EQ(s.strReserved.size(), 65534U);
}

TEST(DataFile, LengthsAreNeverTrusted) {
    const Bytes refused[] = {
        // 2 GB claimed in a 45-byte file.
        {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
        // Two-byte text of 2^63 + 1 characters, whose byte count wraps to 2.
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0, 0, 0, 0x80},
        {0x05},
        {0xFF, 0x10},
    };
    for (const Bytes& prefix : refused) {
        CalcSettings s;
        EXPECT_FALSE(SettingsFromBytes(WithReserved(prefix, {'a', 'b'}), s));
    }
}

TEST(DataFile, EdgeCases) {
    // One byte short: refused, with the fields read so far kept.
    Bytes short39 = WithReserved({0x03}, {'x', 'y', 'z'});
    short39.pop_back();
    CalcSettings partial;
    EXPECT_FALSE(SettingsFromBytes(short39, partial));
    EXPECT_EQ(partial.strReserved, "xyz");
    EXPECT_EQ(partial.nLeft, 420);
    EXPECT_EQ(partial.lfFont.lfFaceName[0], '\0'); // the face is copied only at the end

    // Longer than the fields: accepted, the rest ignored.
    Bytes longer = kWorkedExample;
    longer.insert(longer.end(), {1, 2, 3});
    CalcSettings s;
    EXPECT_TRUE(SettingsFromBytes(longer, s));
    EXPECT_EQ(SettingsToBytes(s), kWorkedExample);

    // A face name of 40 characters keeps 31.
    Bytes face40(kWorkedExample.begin(), kWorkedExample.begin() + 21);
    face40.push_back(40);
    face40.insert(face40.end(), 40, 'F');
    face40.insert(face40.end(), kWorkedExample.begin() + 29, kWorkedExample.end());
    ASSERT_TRUE(SettingsFromBytes(face40, s));
    EXPECT_EQ(std::string(s.lfFont.lfFaceName), std::string(31, 'F'));

    // A two-byte face name is read, and written back in single bytes.
    Bytes wideFace(kWorkedExample.begin(), kWorkedExample.begin() + 21);
    wideFace.insert(wideFace.end(), {0xFF, 0xFE, 0xFF, 0x07});
    for (char c : std::string("Verdana"))
        wideFace.insert(wideFace.end(), {static_cast<std::uint8_t>(c), 0});
    wideFace.insert(wideFace.end(), kWorkedExample.begin() + 29, kWorkedExample.end());
    ASSERT_TRUE(SettingsFromBytes(wideFace, s));
    EXPECT_EQ(SettingsToBytes(s), kWorkedExample);

    // A topmost byte of 7 is true and goes back as 1.
    Bytes seven = kWorkedExample;
    seven[0] = 7;
    ASSERT_TRUE(SettingsFromBytes(seven, s));
    EXPECT_TRUE(s.bTopmost);
    EXPECT_EQ(SettingsToBytes(s), kWorkedExample);

    EXPECT_FALSE(SettingsFromBytes(Bytes{}, s));
}

TEST(Settings, MendAfterLoad) {
    const struct {
        std::int32_t round, format, left, top;
        std::int32_t wantRound, wantFormat, wantLeft, wantTop;
    } rows[] = {
        {-1, 0, 420, 400, -1, 0, 420, 400},     {9, 3, 0, 0, 9, 3, 0, 0},
        {10, 4, 1023, 767, -1, 0, 1023, 767},   {-2, -1, 1024, 0, -1, 0, 420, 350},
        {7, 2, 0, 768, 7, 2, 420, 350},         {5, 1, -1, 5, 5, 1, 420, 350},
        {5, 1, -32000, -32000, 5, 1, 420, 350},
    };
    for (const auto& r : rows) {
        CalcSettings s = Defaults();
        s.nRound = r.round;
        s.nFormat = r.format;
        s.nLeft = r.left;
        s.nTop = r.top;
        s.nReserved = 77;
        const EvalSettings before = EvalSettingsOf(s);
        MendLoadedSettings(s, kWindow, kDesktop);
        EXPECT_EQ(s.nRound, r.wantRound);
        EXPECT_EQ(s.nFormat, r.wantFormat);
        // Evaluation reads the mended values even from a record never mended.
        for (const EvalSettings& e : {before, EvalSettingsOf(s)}) {
            EXPECT_EQ(e.places, r.wantRound);
            EXPECT_EQ(e.format, static_cast<Format>(r.wantFormat));
        }
        EXPECT_EQ((Point{s.nLeft, s.nTop}), (Point{r.wantLeft, r.wantTop}))
            << r.left << "," << r.top;
        EXPECT_EQ(s.nReserved, 77);
    }
}

// A window closed on a second monitor comes back there; only a corner on
// no monitor attached now is centred on the primary one.
TEST(Settings, ACornerOnAnyMonitorStays) {
    const Rect primary{0, 0, 1024, 768};
    const Rect left{-1280, 0, 0, 1024};
    const Rect above{0, -900, 1600, 0};
    const std::vector<Rect> monitors = {primary, left, above};
    const struct {
        std::int32_t left, top;
        Point want;
    } rows[] = {
        {100, 100, {100, 100}},       // on the primary
        {-1280, 1023, {-1280, 1023}}, // the left one's corner
        {-1, 500, {-1, 500}},         // the left one, at its right edge
        {1599, -900, {1599, -900}},   // above
        {-1281, 0, {420, 350}},       // left of every monitor
        {1024, 100, {420, 350}},      // right of the primary, below the one above
        {-5, -5, {420, 350}},         // in the corner between left and above
        {100, 768, {420, 350}},       // below the primary
    };
    for (const auto& r : rows) {
        CalcSettings s = Defaults();
        s.nLeft = r.left;
        s.nTop = r.top;
        MendLoadedSettings(s, kWindow, primary, monitors);
        EXPECT_EQ((Point{s.nLeft, s.nTop}), r.want) << r.left << "," << r.top;
        EXPECT_EQ(IsPointOnAMonitor(r.left, r.top, monitors), (r.want == Point{r.left, r.top}));
    }
}

TEST(Settings, CentringTruncatesTowardZero) {
    EXPECT_EQ(CentreOnDesktop({0, 0, 185, 69}, {0, 0, 1025, 769}), (Point{512 - 92, 384 - 34}));
    EXPECT_EQ(CentreOnDesktop({0, 0, 185, 69}, {-1025, -769, 0, 0}), (Point{-512 - 92, -384 - 34}));
    EXPECT_EQ(CentreOnDesktop({100, 100, 100, 100}, {0, 0, 0, 0}), (Point{0, 0}));
}

TEST(Settings, DefaultsLeaveDegreesAndReservedText) {
    CalcSettings s;
    s.bDegrees = true;
    s.strReserved = "keep";
    s.nReserved = 5;
    SetDefaultSettings(s, kWindow, kDesktop);
    EXPECT_TRUE(s.bDegrees);
    EXPECT_EQ(s.strReserved, "keep");
    EXPECT_EQ(s.nReserved, 0);
    EXPECT_TRUE(s.bTopmost);
    EXPECT_EQ(s.nRound, -1);
    EXPECT_EQ(s.nFormat, 0);
    EXPECT_EQ((Point{s.nLeft, s.nTop}), (Point{420, 350}));
    EXPECT_EQ(s.lfFont.lfHeight, -13);
    EXPECT_STREQ(s.lfFont.lfFaceName, "Verdana");
    LogFontA bare = s.lfFont;
    bare.lfHeight = 0;
    std::memset(bare.lfFaceName, 0, sizeof bare.lfFaceName);
    EXPECT_EQ(bare, LogFontA{});
}

TEST(DataFile, RandomRecordsRoundTrip) {
    std::mt19937 rng(42);
    auto i32 = [&rng] { return static_cast<std::int32_t>(rng()); };
    for (int k = 0; k < 2000; ++k) {
        CalcSettings s;
        s.bTopmost = rng() & 1;
        s.bDegrees = rng() & 1;
        s.nReserved = i32();
        s.nRound = i32();
        s.nFormat = i32();
        s.nLeft = i32();
        s.nTop = i32();
        s.lfFont.lfHeight = i32();
        s.lfFont.lfWeight = i32();
        s.lfFont.lfItalic = static_cast<std::uint8_t>(rng());
        const std::size_t faceLength = rng() % 32;
        for (std::size_t i = 0; i < faceLength; ++i)
            s.lfFont.lfFaceName[i] = static_cast<char>(1 + rng() % 255);
        const std::size_t lengths[] = {0, 1, 254, 255, 65533, 65534, 70000};
        s.strReserved.resize(lengths[rng() % std::size(lengths)]);
        for (char& c : s.strReserved)
            c = static_cast<char>(rng());
        CalcSettings back;
        ASSERT_TRUE(SettingsFromBytes(SettingsToBytes(s), back));
        ASSERT_EQ(back, s);
    }
}

} // namespace
} // namespace quill

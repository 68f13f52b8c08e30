#include "calc/number_text.h"

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(NumberText, ReadDecimal) {
    EXPECT_EQ(ReadDecimal("1.5"), 1.5);
    EXPECT_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_EQ(ReadDecimal("5."), 5.0);
    EXPECT_EQ(ReadDecimal("1.2.3"), 1.2);
    EXPECT_EQ(ReadDecimal(""), 0.0);
    EXPECT_EQ(ReadDecimal("."), 0.0);
    EXPECT_EQ(ReadDecimal("0x1f"), 0.0);
    EXPECT_EQ(ReadDecimal("2e5"), 2.0);
    EXPECT_EQ(ReadDecimal("_bad_"), 0.0);
    EXPECT_EQ(ReadDecimal("3.14159265358979323846"), 3.141592653589793);
    EXPECT_TRUE(std::isinf(ReadDecimal(std::string(400, '9'))));
    EXPECT_EQ(ReadDecimal("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ReadDecimal(std::string(500, '0') + "7"), 7.0);
}

// The quick path for short numbers must give the very double from_chars
// gives: at its limits (2^53, 22 digits after the point) and at random.
TEST(NumberText, ShortNumbersReadAsFromChars) {
    auto reference = [](const std::string& text) {
        double value = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        return value;
    };
    std::vector<std::string> texts = {
        "9007199254740991",
        "9007199254740992",
        "9007199254740993",
        "900719925474099.3",
        "0.1",
        "0.2",
        "0.3",
        "12.75",
        "1." + std::string(21, '0') + "1",
        "0." + std::string(21, '0') + "1",
        "0." + std::string(22, '0') + "1",
        "4.35",
        "8.5e",
        "000000000000000000000000000001.25",
        "0.9999999999999999999",
        "123456789.123456789",
        "2.2250738585072014",
    };
    std::mt19937_64 random(20261208);
    for (int n = 0; n < 200000; ++n) {
        std::string text(1 + random() % 24, '0');
        for (char& c : text)
            c = static_cast<char>('0' + random() % 10);
        const std::size_t point = random() % (text.size() + 1);
        if (point < text.size()) text.insert(point, 1, '.');
        texts.push_back(text);
    }
    // No text has a sign, so equal doubles are the same double.
    for (const std::string& text : texts)
        ASSERT_EQ(ReadDecimal(text), reference(text)) << text;
}

TEST(NumberText, Write) {
    EXPECT_EQ(WriteFixed(2.0 / 3, 12), "0.666666666667");
    EXPECT_EQ(WriteFixed(7.5, 0), "8");
    EXPECT_EQ(WriteFixed(-2.5, 3), "-2.500");
    EXPECT_EQ(WriteScientific(1234), "1.234000e+03");
    EXPECT_EQ(WriteScientific(1e-5), "1.000000e-05");
    EXPECT_EQ(WriteScientific(1e100), "1.000000e+100");
    for (double v : {0.1, 1.0 / 3, 1e-300, 123456789.123, -0.0}) {
        const std::string text = WriteExact(v);
        double back = 1.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, v) << text;
    }
}

} // namespace
} // namespace quill

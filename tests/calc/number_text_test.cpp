#include "calc/number_text.h"

#include <charconv>
#include <cmath>

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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/lenient_number.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "common/ascii_case.h"
#include "common/printable_text.h"
#include "common/string_format.h"

namespace ratewise {
namespace {

TEST(LenientAtoi, TakesTheLeadingNumberLikeAtoi)
{
    EXPECT_EQ(LenientAtoi("12abc"), 12);
    EXPECT_EQ(LenientAtoi("abc"), 0);
    EXPECT_EQ(LenientAtoi(""), 0);
    EXPECT_EQ(LenientAtoi("  \t-7x"), -7);
    EXPECT_EQ(LenientAtoi("+0700"), 700);
    EXPECT_EQ(LenientAtoi("- 5"), 0);
    EXPECT_EQ(LenientAtoi("1e3"), 1);
    EXPECT_EQ(LenientAtoi("12.9"), 12);
}

TEST(LenientAtoi, SaturatesBeyondTheInt32Range)
{
    EXPECT_EQ(LenientAtoi("2147483647"), 2147483647);
    EXPECT_EQ(LenientAtoi("2147483648"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(LenientAtoi("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(LenientAtoi("-2147483649"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(LenientAtoi("999999999999999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(LenientAtoi("-999999999999999999999999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(LenientAtof, ParsesLikeAtofWhateverTheLocale)
{
    EXPECT_DOUBLE_EQ(LenientAtof("1000"), 1000.0);
    EXPECT_DOUBLE_EQ(LenientAtof(" -12.5kbps"), -12.5);
    EXPECT_DOUBLE_EQ(LenientAtof("1.5e3"), 1500.0);
    EXPECT_DOUBLE_EQ(LenientAtof(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LenientAtof("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LenientAtof(""), 0.0);
    EXPECT_TRUE(std::isinf(LenientAtof("1e999")));
    EXPECT_TRUE(std::isnan(LenientAtof("nan")));
    // A locale with a decimal comma must not change how field texts are read.
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(LenientAtof("2.25"), 2.25);
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
}

TEST(StringFormat, PrependsZeroRatherThanPadding)
{
    EXPECT_EQ(WithLeadingZero(5), "05");
    EXPECT_EQ(WithLeadingZero(0), "00");
    EXPECT_EQ(WithLeadingZero(10), "10");
    EXPECT_EQ(StringPrintf("%.3f", 668.4444444), "668.444");
    // Texts longer than the first formatting buffer come out whole.
    const std::string longText(1000, 'x');
    EXPECT_EQ(StringPrintf("<%s>", longText.c_str()), "<" + longText + ">");
    EXPECT_EQ(StringPrintf("%s", ""), "");
    EXPECT_EQ(ToPlainLineEnds("a \r\nb\nc\r\n"), "a \nb\nc\n");
}

// Only A-Z fold: a byte of a UTF-8 name is never taken for a letter, whatever the locale.
TEST(AsciiCase, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiLowered("VTS_01_0.IFO \xc3\x89"), "vts_01_0.ifo \xc3\x89");
    EXPECT_TRUE(SameIgnoringAsciiCase("DVD-R/RW", "dvd-r/rw"));
    EXPECT_FALSE(SameIgnoringAsciiCase("\xc3\x89", "\xc3\xa9"));
    EXPECT_FALSE(SameIgnoringAsciiCase("mkv", "mkv "));
    EXPECT_TRUE(EndsWithIgnoringAsciiCase("movie.TPR", ".tpr"));
    EXPECT_FALSE(EndsWithIgnoringAsciiCase("tpr", ".tpr"));
}

TEST(PrintableText, EscapesControlCharactersAndKeepsTheRest)
{
    EXPECT_EQ(PrintableText(std::string("x\ntouch\r\t\x1b[2J\x7f\0y", 16)),
              "x\\ntouch\\r\\t\\x1B[2J\\x7F\\x00y");
    EXPECT_EQ(PrintableText("film d'été $(x) \\"), "film d'été $(x) \\");
}

} // namespace
} // namespace ratewise

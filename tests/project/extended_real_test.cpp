// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/extended_real.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "tests/project/expected_template_rows.h"
#include "tests/project/tpr_reader.h"

namespace ratewise {
namespace {

using test_support::ExactExtendedHex;
using test_support::HexBytes;

std::string Hex(const std::optional<Extended80>& value)
{
    return value ? "ext " + HexBytes(*value) : "none";
}

TEST(ParseExtended, GivesTheNearestValueNotTheOneADoubleWouldGive)
{
    EXPECT_EQ(Hex(ParseExtended("2720.48")), "ext ae 47 e1 7a 14 ae 07 aa 0a 40");
    EXPECT_EQ(Hex(ParseExtended("5462.2")), "ext 9a 99 99 99 99 99 b1 aa 0b 40");
    for (const double exact : {1.5, 20.0, 50.0, 0.0, 0.5, 0.25, 1.0, 352.0, 1e11})
        EXPECT_EQ(Hex(ParseExtended(std::to_string(exact))), ExactExtendedHex(exact)) << exact;
    EXPECT_EQ(Hex(ParseExtended("-1.5")), ExactExtendedHex(-1.5));
    EXPECT_EQ(Hex(ParseExtended("+20")), ExactExtendedHex(20));
    EXPECT_EQ(Hex(ParseExtended("050.")), ExactExtendedHex(50));
    EXPECT_EQ(Hex(ParseExtended(".5")), ExactExtendedHex(0.5));
}

TEST(ParseExtended, RefusesWhatIsNotAPlainDecimal)
{
    for (const char* text : {"", "-", ".", "1.2.3", "1e5", "12a", " 1", "1 ", "1234567890123456789"})
        EXPECT_EQ(ParseExtended(text), std::nullopt) << '"' << text << '"';
    EXPECT_NE(ParseExtended("123456789012345678"), std::nullopt);
}

TEST(ParseExtended, AgreesWithACorrectlyRoundingLibraryParse)
{
    if constexpr (std::numeric_limits<long double>::digits != 64) {
        GTEST_SKIP() << "long double is not the 80-bit format here";
    } else {
        std::mt19937_64 random(20240611);
        for (int i = 0; i < 20000; ++i) {
            const int digits = 1 + static_cast<int>(random() % 18);
            std::string text;
            for (int d = 0; d < digits; ++d)
                text += static_cast<char>('0' + random() % 10);
            const auto point = random() % static_cast<unsigned>(digits + 1);
            text.insert(point, ".");
            const long double reference = std::strtold(text.c_str(), nullptr);
            Extended80 expected{};
            std::memcpy(expected.data(), &reference, expected.size());
            ASSERT_EQ(Hex(ParseExtended(text)), Hex(expected)) << text;
        }
    }
}

} // namespace
} // namespace ratewise

// SPDX-License-Identifier: GPL-3.0-or-later
// 80-bit extended reals as the project format stores them, computed exactly from decimal text.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ratewise {

// Ten bytes, little-endian: the 64-bit significand with its explicit integer bit, then the sign
// and the 15-bit exponent biased by 16383.
using Extended80 = std::array<std::uint8_t, 10>;

namespace detail {

// Reached only when a literal given to ExtendedLiteral is not a plain decimal; being a
// non-constexpr function, it turns that mistake into a compile error.
void NotAPlainDecimal();

constexpr Extended80 PackExtended(bool negative, std::uint64_t significand, int exponent)
{
    Extended80 bytes{};
    for (std::size_t i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const auto biased = static_cast<std::uint32_t>(exponent + 16383);
    bytes[8] = static_cast<std::uint8_t>(biased & 0xFF);
    bytes[9] = static_cast<std::uint8_t>(((biased >> 8) & 0x7F) | (negative ? 0x80 : 0x00));
    return bytes;
}

} // namespace detail

// The nearest extended value (ties to even) of a plain decimal such as "2720.48" or "-1.5": an
// optional sign, digits, an optional point and digits, at most 18 digits in all. Done by exact
// integer long division, because a decimal that went through a double first (2720.48 does) lands
// on a different extended value than the nearest one.
constexpr std::optional<Extended80> ParseExtended(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t numerator = 0;
    std::uint64_t denominator = 1;
    int digits = 0;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9' || ++digits > 18)
            return std::nullopt;
        numerator = numerator * 10 + static_cast<std::uint64_t>(c - '0');
        if (afterPoint)
            denominator *= 10;
    }
    if (digits == 0)
        return std::nullopt;
    if (numerator == 0) {
        Extended80 zero{};
        zero[9] = negative ? 0x80 : 0x00;
        return zero;
    }

    // Both terms stay below 10^18 < 2^60, so doubling a remainder never overflows.
    const std::uint64_t whole = numerator / denominator;
    std::uint64_t remainder = numerator % denominator;
    const auto nextBit = [&remainder, denominator]() {
        remainder *= 2;
        if (remainder >= denominator) {
            remainder -= denominator;
            return 1u;
        }
        return 0u;
    };

    std::uint64_t significand = 0;
    int exponent = 0;
    int bits = 0;
    if (whole != 0) {
        bits = static_cast<int>(std::bit_width(whole));
        exponent = bits - 1;
        significand = whole;
    } else {
        exponent = -1;
        while (nextBit() == 0)
            --exponent;
        significand = 1;
        bits = 1;
    }
    for (; bits < 64; ++bits)
        significand = significand << 1 | nextBit();

    const bool roundBit = nextBit() != 0;
    const bool sticky = remainder != 0;
    if (roundBit && (sticky || (significand & 1) != 0)) {
        ++significand;
        if (significand == 0) { // carried out of the top: 1.111…1 rounds up to 10.000…0
            significand = std::uint64_t{1} << 63;
            ++exponent;
        }
    }
    return detail::PackExtended(negative, significand, exponent);
}

// The same for literals fixed in the program: a malformed literal fails to compile.
consteval Extended80 ExtendedLiteral(std::string_view text)
{
    const std::optional<Extended80> value = ParseExtended(text);
    if (!value)
        detail::NotAPlainDecimal();
    return *value;
}

} // namespace ratewise

// numbers.h: numbers as scene files write them.
//
// Layout's writers differ by generation: 7 or 8 significant digits (LightWave 6 to 8), 17 (9.x),
// 20 (2018 and later), exponents with three digits from old C runtimes ("e-009"), ".5" without
// a leading zero. A number that is not changed keeps its text; a changed one is written in the
// style of the file it goes into.
#ifndef ZKH_LWSC_NUMBERS_H
#define ZKH_LWSC_NUMBERS_H

#include <cstdint>
#include <string>
#include <string_view>

namespace zkh::lwsc {

// How a file writes numbers of its own.
struct NumberStyle {
    int digits = 17;                 // significant digits of key values and other doubles
    bool threeDigitExponent = false; // "e-009" instead of "e-09"
};

// A decimal number as Layout writes it ("1", "-0.5", ".5", "1e-009", "nan"); false for anything else.
bool ParseNumber(std::string_view word, double &value);
// A decimal whole number in the range of a long long.
bool ParseInteger(std::string_view word, long long &value);
// A hexadecimal number without prefix ("1000000e", "40270000"), at most 64 bits.
bool ParseHex(std::string_view word, std::uint64_t &value);

// A double in the file's style: %.<digits>g, with the file's exponent form.
std::string FormatNumber(double value, const NumberStyle &style);
// The shortest text that reads back as the same float, or the same double.
std::string FormatFloat(float value);
std::string FormatDouble(double value);
// An item identifier as Layout writes it: eight lowercase hex digits.
std::string FormatItemId(std::uint32_t id);

// The number of significant digits a number's text holds ("0.66666666666666663": 17, "0": 1).
int SignificantDigits(std::string_view word);

} // namespace zkh::lwsc

#endif

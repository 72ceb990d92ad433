// numbers.cpp: reading and writing numbers of scene files.
#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace zkh::lwsc {

bool ParseNumber(std::string_view word, double &value)
{
    if (word.empty())
        return false;
    const char *first = word.data();
    const char *last = word.data() + word.size();
    if (*first == '+')
        ++first; // "+5": printf never writes it, but people do
    // Most numbers of a scene are whole ("0", "1", "-90"): read as integers, they are the same
    // doubles, found several times faster.
    if (last - first <= 15) {
        long long whole = 0;
        const auto integer = std::from_chars(first, last, whole, 10);
        if (integer.ec == std::errc() && integer.ptr == last && !(whole == 0 && *first == '-')) {
            value = static_cast<double>(whole);
            return true;
        }
    }
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == last;
}

bool ParseInteger(std::string_view word, long long &value)
{
    if (word.empty())
        return false;
    const char *first = word.data();
    const char *last = word.data() + word.size();
    if (*first == '+')
        ++first;
    const auto result = std::from_chars(first, last, value, 10);
    return result.ec == std::errc() && result.ptr == last;
}

bool ParseHex(std::string_view word, std::uint64_t &value)
{
    if (word.empty())
        return false;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}

std::string FormatNumber(double value, const NumberStyle &style)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", style.digits, value);
    std::string out = text;
    if (style.threeDigitExponent) {
        const size_t e = out.find('e');
        if (e != std::string::npos && e + 2 < out.size()) {
            const size_t digits = out.size() - (e + 2);
            if (digits < 3)
                out.insert(e + 2, 3 - digits, '0');
        }
    }
    return out;
}

namespace {

template <class T>
std::string Shortest(T value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace

std::string FormatFloat(float value) { return Shortest(value); }

std::string FormatDouble(double value) { return Shortest(value); }

std::string FormatItemId(std::uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08x", id);
    return text;
}

int SignificantDigits(std::string_view word)
{
    int digits = 0;
    bool leading = true;
    for (char c : word) {
        if (c == 'e' || c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++digits;
    }
    return digits == 0 ? 1 : digits;
}

} // namespace zkh::lwsc

// Texts cut at a character boundary. (Which texts a YAML file carries: unit_memo_yaml.cpp.)
#include "common/utf8_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(Utf8Text, CutsKeepWholeCharacters)
{
    const std::string a = "\xe3\x81\x82"; // 3 bytes
    const std::tuple<std::string, size_t, std::string> cases[] = { // text, limit, what is kept
        {"abc", 3, "abc"}, {"abc", 2, "ab"}, {"x" + a + a, 5, "x" + a}, {"x" + a + a, 4, "x" + a}, {"x" + a + a, 3, "x"},
        {"\xf0\x9f\x98\x80!", 3, ""}, {"\xf0\x9f\x98\x80!", 4, "\xf0\x9f\x98\x80"}, {"\xf0\x9f\x98", 2, ""}, // cut before
        // bytes of another encoding, and a lead byte without its character, count one byte each
        {"caf\xe9\xe9\xe9", 4, "caf\xe9"}, {"\x80\x80\x80\x80\x80", 4, "\x80\x80\x80\x80"}, {"ab\xe3\x81" "c", 3, "ab\xe3"},
    };
    for (const auto &[text, limit, kept] : cases)
        EXPECT_EQ(CutAtCharacter(text, limit), kept) << text << " " << limit;
}

} // namespace

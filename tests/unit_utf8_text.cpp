// Texts cut at a character boundary, and the check for text that YAML and XML readers take.
#include "common/utf8_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Text, CutsKeepWholeCharacters)
{
    const std::string a = "\xe3\x81\x82"; // 3 bytes
    const struct {
        std::string text;
        size_t limit;
        std::string kept;
    } cases[] = {
        {"abc", 3, "abc"},
        {"abc", 2, "ab"},
        {"x" + a + a, 5, "x" + a},
        {"x" + a + a, 4, "x" + a},
        {"x" + a + a, 3, "x"},
        {"\xf0\x9f\x98\x80!", 3, ""},
        {"\xf0\x9f\x98\x80!", 4, "\xf0\x9f\x98\x80"},
        {"\xf0\x9f\x98", 2, ""},              // a text already cut inside the character
        {"caf\xe9\xe9\xe9", 4, "caf\xe9"},   // bytes of another encoding count one each
        {"\x80\x80\x80\x80\x80", 4, "\x80\x80\x80\x80"},
        {"ab\xe3\x81" "c", 3, "ab\xe3"},       // a lead byte without its character is a byte
    };
    for (const auto &c : cases)
        EXPECT_EQ(CutAtCharacter(c.text, c.limit), c.kept) << c.text << " " << c.limit;
}

TEST(Utf8Text, InterchangeTextIsUtf8WithoutNoncharacters)
{
    // U+FFFD, U+FDCF, U+FDF0, U+E000, U+1FFFD, U+10FFFD
    for (const char *text : {"", "plain", "\xef\xbf\xbd", "\xef\xb7\x8f", "\xef\xb7\xb0", "\xee\x80\x80",
                             "\xf0\x9f\xbf\xbd", "\xf4\x8f\xbf\xbd", "\x7f\x01"})
        EXPECT_TRUE(IsInterchangeText(text)) << text;
    // U+FFFE, U+FFFF, U+FDD0, U+FDEF, U+1FFFE, U+10FFFF; then bytes that are no UTF-8
    for (const char *text : {"\xef\xbf\xbe", "\xef\xbf\xbf", "\xef\xb7\x90", "\xef\xb7\xaf", "\xf0\x9f\xbf\xbe",
                             "\xf4\x8f\xbf\xbf", "\xe9", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80",
                             "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80", "\xe3\x81", "\x80"})
        EXPECT_FALSE(IsInterchangeText(text)) << text;
}

} // namespace

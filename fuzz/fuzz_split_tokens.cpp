// fuzz_split_tokens.cpp: SplitTokens on arbitrary bytes.
//
// Checked: no token is empty, no token holds a space, tab or comma, and the tokens are the
// maximal runs of other bytes, in order (so their concatenation is the input without separators).
#include "common/lwtool2.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

[[noreturn]] void Fail(const char *what, size_t token)
{
    std::fprintf(stderr, "SplitTokens: %s (token %zu)\n", what, token);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> tokens = SplitTokens(text);

    std::string joined;
    size_t pos = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string &token = tokens[i];
        if (token.empty())
            Fail("empty token", i);
        for (char c : token)
            if (IsSeparator(c))
                Fail("token holds a separator", i);
        joined += token;
        // The token starts after a run of separators and ends at a separator or the end.
        while (pos < text.size() && IsSeparator(text[pos]))
            ++pos;
        if (text.compare(pos, token.size(), token) != 0)
            Fail("token is not the next run of the input", i);
        pos += token.size();
        if (pos < text.size() && !IsSeparator(text[pos]))
            Fail("token stops inside a run", i);
    }
    while (pos < text.size() && IsSeparator(text[pos]))
        ++pos;
    if (pos != text.size())
        Fail("input left over after the last token", tokens.size());

    std::string stripped;
    for (char c : text)
        if (!IsSeparator(c))
            stripped += c;
    if (joined != stripped)
        Fail("the tokens joined differ from the input without separators", tokens.size());
    return 0;
}

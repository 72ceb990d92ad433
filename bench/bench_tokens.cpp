// bench_tokens.cpp: SplitTokens over a clip sequence text against an istringstream split.
#include "common/lwtool2.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTokenCount = 1000;

// "1 2, 3\t4,5  6 ..." : clip numbers separated by every mix of space, tab and comma the clip
// mixer accepts.
const std::string &SequenceText()
{
    static const std::string text = [] {
        static const char *const kSeparators[] = {" ", ", ", "\t", ",", "  ", " ,\t"};
        std::string out;
        for (int i = 0; i < kTokenCount; ++i) {
            if (i > 0)
                out += kSeparators[i % (sizeof kSeparators / sizeof kSeparators[0])];
            out += std::to_string(1 + (i * 7919) % 997);
        }
        return out;
    }();
    return text;
}

std::vector<std::string> BaselineSplit(const std::string &text)
{
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), ',', ' ');
    std::replace(spaced.begin(), spaced.end(), '\t', ' ');
    std::istringstream in(spaced);
    std::vector<std::string> tokens;
    std::string token;
    while (in >> token)
        tokens.push_back(token);
    return tokens;
}

// Both splits must agree before either is worth timing.
bool CheckSplitsAgree(benchmark::State &state)
{
    const std::vector<std::string> ours = SplitTokens(SequenceText());
    if (ours.size() != static_cast<size_t>(kTokenCount) || ours != BaselineSplit(SequenceText())) {
        state.SkipWithError("the two splits disagree on the clip sequence text");
        return false;
    }
    return true;
}

void BM_SplitTokens_Baseline(benchmark::State &state)
{
    const std::string &text = SequenceText();
    if (!CheckSplitsAgree(state))
        return;
    for (auto _ : state) {
        std::vector<std::string> tokens = BaselineSplit(text);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetItemsProcessed(state.iterations() * kTokenCount);
}

void BM_SplitTokens(benchmark::State &state)
{
    const std::string &text = SequenceText();
    if (!CheckSplitsAgree(state))
        return;
    for (auto _ : state) {
        std::vector<std::string> tokens = SplitTokens(text);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetItemsProcessed(state.iterations() * kTokenCount);
}

} // namespace

BENCHMARK(BM_SplitTokens_Baseline)->Name("BM_SplitTokens_Baseline/clips1000");
BENCHMARK(BM_SplitTokens)->Name("BM_SplitTokens/clips1000");

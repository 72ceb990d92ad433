// bench_main.cpp: zkbench's main and its reporter.
//
// Benchmarks come in pairs named BM_<Name>_Baseline/<case> and BM_<Name>/<case>. The reporter
// prints the usual console table and then, for each complete pair, ours / baseline real time:
//
//   ratios (ours / baseline, real time, medians of repetitions)
//   FormatString/title          1.08x baseline
//
// A benchmark that times ours and its baseline in turns reports their ratio in the counter
// kAlternatingRatio; it is listed there as well, marked "(in turns)".
#include "bench_ratio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const char kBaselineSuffix[] = "_Baseline";

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(OutputOptions options) : benchmark::ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run> &reports) override
    {
        benchmark::ConsoleReporter::ReportRuns(reports);
        for (const Run &run : reports)
            Record(run);
    }

    void Finalize() override
    {
        benchmark::ConsoleReporter::Finalize();
        size_t width = 0;
        for (const auto &[key, pair] : pairs_)
            if (pair.ours.seen && pair.baseline.seen && key.size() > width)
                width = key.size();
        for (const auto &[key, ratio] : alternating_)
            width = std::max(width, key.size());
        std::string text = "\nratios (ours / baseline, real time, medians of repetitions)\n";
        bool any = false;
        for (const auto &[key, pair] : pairs_) {
            if (!pair.ours.seen || !pair.baseline.seen || pair.baseline.value <= 0.0)
                continue;
            char line[256];
            std::snprintf(line, sizeof line, "%-*s  %6.2fx baseline\n", static_cast<int>(width), key.c_str(),
                          pair.ours.value / pair.baseline.value);
            text += line;
            any = true;
        }
        for (const auto &[key, ratio] : alternating_) {
            char line[256];
            std::snprintf(line, sizeof line, "%-*s  %6.2fx baseline (in turns)\n", static_cast<int>(width), key.c_str(),
                          ratio.value);
            text += line;
            any = true;
        }
        if (!any)
            text += "(no complete pair ran)\n";
#if !defined(__OPTIMIZE__)
        text += "note: zkbench and the libraries were compiled without optimization; configure with "
                "-DCMAKE_BUILD_TYPE=Release for representative timings\n";
#endif
        GetOutputStream() << text;
        GetOutputStream().flush();
    }

private:
    struct Timing {
        bool seen = false;
        bool fromMedian = false; // a median over repetitions outranks single runs
        double value = 0.0;    // real seconds per iteration, or the ratio reported in turns
    };
    struct Pair {
        Timing ours, baseline;
    };

    void Record(const Run &run)
    {
        if (run.error_occurred)
            return;
        // The median, when there are repetitions: a first run that pays for files made or pages
        // touched once would pull a mean away.
        const bool isMedian = run.run_type == Run::RT_Aggregate;
        if (isMedian && run.aggregate_name != "median")
            return;
        // "BM_FormatString_Baseline/title" -> key "FormatString/title", baseline side.
        std::string name = run.run_name.function_name;
        if (name.compare(0, 3, "BM_") == 0)
            name.erase(0, 3);
        const size_t slash = name.find('/');
        std::string head = name.substr(0, slash);
        const std::string rest = slash == std::string::npos ? std::string() : name.substr(slash);
        const size_t suffixLength = sizeof kBaselineSuffix - 1;
        bool baseline = false;
        if (head.size() > suffixLength && head.compare(head.size() - suffixLength, suffixLength, kBaselineSuffix) == 0) {
            head.erase(head.size() - suffixLength);
            baseline = true;
        }
        const std::string key = head + rest + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
        const auto counter = run.counters.find(kAlternatingRatio);
        Timing &timing = counter != run.counters.end() ? alternating_[key] : baseline ? pairs_[key].baseline : pairs_[key].ours;
        if (timing.fromMedian && !isMedian)
            return;
        timing.seen = true;
        timing.fromMedian = isMedian;
        timing.value = counter != run.counters.end() ? counter->second.value
                                                       : run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    std::map<std::string, Pair> pairs_;
    std::map<std::string, Timing> alternating_;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const int color = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color : 0;
    RatioReporter reporter(static_cast<benchmark::ConsoleReporter::OutputOptions>(
        benchmark::ConsoleReporter::OO_Tabular | color));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

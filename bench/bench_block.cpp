// bench_block.cpp: the host's scene block round trip against a plain vector of doubles.
//
// Ours writes 10,000 typed items (I4, U4 and FP in turn, one value per call as the handlers write
// them) through BlockWriter's save state, then reads them back through BlockReader's load state
// and sums them. The baseline pushes the same values into a std::vector<double> and sums it.
#include "scene_block.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kItemCount = 10000;

struct Values {
    std::vector<int> i4;
    std::vector<unsigned int> u4;
    std::vector<float> fp;
};

// Item k is i4[k / 3], u4[k / 3] or fp[k / 3] for k % 3 == 0, 1, 2.
const Values &TheValues()
{
    static const Values values = [] {
        Values v;
        for (int k = 0; k < kItemCount; k += 3) {
            v.i4.push_back(k * 37 - 50000);
            v.u4.push_back(static_cast<unsigned int>(k) * 2654435761u);
            v.fp.push_back(static_cast<float>(k) * 0.25f - 17.5f);
        }
        return v;
    }();
    return values;
}

double SumOfValues()
{
    const Values &v = TheValues();
    double sum = 0.0;
    for (int k = 0; k < kItemCount; ++k) {
        const size_t n = static_cast<size_t>(k / 3);
        sum += k % 3 == 0 ? static_cast<double>(v.i4[n]) : k % 3 == 1 ? static_cast<double>(v.u4[n]) : v.fp[n];
    }
    return sum;
}

double BlockRoundTrip()
{
    const Values &v = TheValues();
    zkh::Block block;
    {
        zkh::BlockWriter writer(block);
        const LWSaveState *save = writer.State();
        for (int k = 0; k < kItemCount; ++k) {
            const size_t n = static_cast<size_t>(k / 3);
            switch (k % 3) {
            case 0: save->writeI4(save->writeData, &v.i4[n], 1); break;
            case 1: save->writeU4(save->writeData, &v.u4[n], 1); break;
            default: save->writeFP(save->writeData, &v.fp[n], 1); break;
            }
        }
    }
    zkh::BlockReader reader(block);
    const LWLoadState *load = reader.State();
    double sum = 0.0;
    for (int k = 0; k < kItemCount; ++k) {
        switch (k % 3) {
        case 0: {
            int value = 0;
            load->readI4(load->readData, &value, 1);
            sum += value;
            break;
        }
        case 1: {
            unsigned int value = 0;
            load->readU4(load->readData, &value, 1);
            sum += value;
            break;
        }
        default: {
            float value = 0.0f;
            load->readFP(load->readData, &value, 1);
            sum += value;
            break;
        }
        }
    }
    return sum;
}

double VectorRoundTrip()
{
    const Values &v = TheValues();
    std::vector<double> values;
    for (int k = 0; k < kItemCount; ++k) {
        const size_t n = static_cast<size_t>(k / 3);
        switch (k % 3) {
        case 0: values.push_back(v.i4[n]); break;
        case 1: values.push_back(v.u4[n]); break;
        default: values.push_back(v.fp[n]); break;
        }
    }
    double sum = 0.0;
    for (double value : values)
        sum += value;
    return sum;
}

void BM_BlockRoundTrip_Baseline(benchmark::State &state)
{
    if (VectorRoundTrip() != SumOfValues()) {
        state.SkipWithError("the vector round trip lost values");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(VectorRoundTrip());
    state.SetItemsProcessed(state.iterations() * kItemCount);
}

void BM_BlockRoundTrip(benchmark::State &state)
{
    if (BlockRoundTrip() != SumOfValues()) {
        state.SkipWithError("the block round trip lost values");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(BlockRoundTrip());
    state.SetItemsProcessed(state.iterations() * kItemCount);
}

} // namespace

BENCHMARK(BM_BlockRoundTrip_Baseline)->Name("BM_BlockRoundTrip_Baseline/items10000");
BENCHMARK(BM_BlockRoundTrip)->Name("BM_BlockRoundTrip/items10000");

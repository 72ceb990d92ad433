// fuzz_envelope.cpp: Layout's envelope evaluation over fuzzed keys, behaviours and times.
//
// Bytes: the pre and post behaviour codes (byte % 8, so 6 and 7 are unknown codes), the count of
// times to evaluate at (byte % 16) and those times, then keys until the bytes run out (at most
// 4096): a shape byte (% 8) and the numbers value, time, p1 to p6. A number is two bytes read as a
// signed count of 1/64 (so ±512), or, after a byte 0xFF, eight bytes read as a double (any number,
// infinities and NaN included).
//
// Checked: the value is finite whenever every key number and the time are finite, and NaN
// otherwise; EvaluateEnvelope and EnvelopeCurve agree bit for bit; at each key's time the value is
// that of the first key with that time (in the stable time order); computed tangents are finite
// for finite keys. The sanitizers check the rest (no overflowing float to integer conversion).
#include "lwsc/envelope.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using zkh::lwsc::Envelope;
using zkh::lwsc::EnvelopeKey;

constexpr std::size_t kMaxKeys = 4096;

[[noreturn]] void Fail(const char *what, double time)
{
    std::fprintf(stderr, "envelope: %s (time %.17g)\n", what, time);
    std::abort();
}

class Bytes {
public:
    Bytes(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    double Number()
    {
        if (pos_ < size_ && data_[pos_] == 0xFF && size_ - pos_ > 8) {
            double raw;
            std::memcpy(&raw, data_ + pos_ + 1, sizeof raw);
            pos_ += 9;
            return raw;
        }
        const int high = Byte(), low = Byte();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(high << 8 | low)) / 64.0;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool Finite(const EnvelopeKey &key)
{
    return std::isfinite(key.value) && std::isfinite(key.time) &&
           std::all_of(std::begin(key.p), std::end(key.p), [](double p) { return std::isfinite(p); });
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Bytes bytes(data, size);
    Envelope envelope;
    envelope.pre = bytes.Byte() % 8;
    envelope.post = bytes.Byte() % 8;
    double times[16];
    const int timeCount = bytes.Byte() % 16;
    for (int i = 0; i < timeCount; ++i)
        times[i] = bytes.Number();
    while (!bytes.Empty() && envelope.keys.size() < kMaxKeys) {
        EnvelopeKey key;
        key.shape = bytes.Byte() % 8;
        key.value = bytes.Number();
        key.time = bytes.Number();
        for (double &p : key.p)
            p = bytes.Number();
        envelope.keys.push_back(key);
    }
    const bool finite = std::all_of(envelope.keys.begin(), envelope.keys.end(), Finite);
    const zkh::lwsc::EnvelopeCurve curve(envelope);

    for (int i = 0; i < timeCount; ++i) {
        const double time = times[i];
        const double value = zkh::lwsc::EvaluateEnvelope(envelope, time);
        if (!SameBits(value, curve.Value(time)))
            Fail("EvaluateEnvelope and EnvelopeCurve differ", time);
        const bool defined = finite && std::isfinite(time);
        if (defined && !std::isfinite(value))
            Fail("finite keys gave a value that is not finite", time);
        if (!defined && !std::isnan(value))
            Fail("a number that is not finite gave a value other than NaN", time);
    }
    if (!finite)
        return 0;

    const std::vector<EnvelopeKey> &keys = curve.Keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const bool firstAtItsTime = i == 0 || keys[i - 1].time < keys[i].time;
        if (firstAtItsTime && curve.Value(keys[i].time) != keys[i].value)
            Fail("the value at a key's time is not the first such key's value", keys[i].time);
        const zkh::lwsc::KeyTangents tangents = zkh::lwsc::ComputeTangents(keys, i);
        if (!std::isfinite(tangents.incoming) || !std::isfinite(tangents.outgoing))
            Fail("finite keys gave a tangent that is not finite", keys[i].time);
    }
    return 0;
}

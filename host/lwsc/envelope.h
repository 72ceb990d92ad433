// envelope.h: the value of a Layout envelope (one animation channel of a scene file: its keys and
// its pre and post behaviours) at any time, computed the way Layout computes it.
//
// Span shapes: TCB (tension, continuity, bias), Hermite, the old 1-D Bezier (as Hermite), linear,
// stepped and 2-D Bezier. Behaviours before the first and after the last key: reset, constant,
// repeat, oscillate, offset repeat and linear.
//
// Hostile numbers: a time that is not finite, or a key holding a number that is not finite, gives
// NaN. Otherwise the value is always finite: where the true value would pass the largest double
// (keys 1e300 apart, a huge offset-repeat count) the arithmetic holds at the largest double.
// No loop runs over a repeat count, and a span is found by binary search.
#ifndef ZKH_LWSC_ENVELOPE_H
#define ZKH_LWSC_ENVELOPE_H

#include <cstddef>
#include <vector>

namespace zkh::lwsc {

// One key of an envelope as a scene file's `Key value time spantype p1 p2 p3 p4 p5 p6` line holds it.
struct EnvelopeKey {
    double value = 0.0;
    double time = 0.0;   // seconds
    int shape = 0;       // 0 TCB, 1 Hermite, 2 1-D Bezier, 3 linear, 4 stepped, 5 2-D Bezier
    double p[6] = {0, 0, 0, 0, 0, 0};
};

// A channel's keys and its pre and post behaviours (0 reset, 1 constant, 2 repeat, 3 oscillate,
// 4 offset repeat, 5 linear).
struct Envelope {
    std::vector<EnvelopeKey> keys;
    int pre = 1;
    int post = 1;
};

// The envelope's value at a time, as Layout evaluates it. Keys out of time order are sorted (stably)
// first; each call checks the keys once, so a caller evaluating many times uses EnvelopeCurve.
double EvaluateEnvelope(const Envelope &envelope, double time);

// An envelope made ready for many evaluations: its keys sorted and checked once, so that Value
// costs a binary search over the keys and a fixed amount of arithmetic.
class EnvelopeCurve final {
public:
    explicit EnvelopeCurve(Envelope envelope);
    double Value(double time) const;
    // The keys in time order (as given when a key holds a number that is not finite).
    const std::vector<EnvelopeKey> &Keys() const { return envelope_.keys; }

private:
    Envelope envelope_;
    bool finite_ = true; // every number of every key is finite
};

// A key's tangents as value change over the span on each side: `incoming` over the span from the
// previous key, `outgoing` over the span to the next. A first key has no incoming tangent and a
// last key no outgoing one (0, as Layout writes them).
struct KeyTangents {
    double incoming = 0.0;
    double outgoing = 0.0;
};

// The tangents of keys[index] (keys in time order) from its own shape, as the spans on either side
// use them. For TCB and linear keys these are the numbers Layout writes into p4 and p5.
// An index past the keys gives 0 and 0; a key or neighbour holding a number that is not finite
// gives NaN.
KeyTangents ComputeTangents(const std::vector<EnvelopeKey> &keys, std::size_t index);

} // namespace zkh::lwsc

#endif

// envelope.cpp: Layout's envelope evaluation: key tangents, the six span shapes, the behaviours
// before the first and after the last key, and the hostile-number guards.
//
// Where Layout's behaviour is not known for certain, these readings are taken:
// - Hermite and 1-D Bezier tangents (p4, p5) are scaled by the span ratio Δ/(Δ⁻+Δ⁺), as the SDK's
//   evaluator does; Layout's own 2-D Bezier handles carry the same factors. An end key's tangent is
//   used as written.
// - The one chord at a TCB or linear end key is scaled by Δ/(Δ+ε) with ε = 1/3600 s: every end
//   tangent Layout writes into p4/p5 fits that, so Layout is taken to evaluate with them too (the
//   SDK's evaluator uses the bare chord).
// - A 2-D Bezier span finds its curve parameter by halving until the curve's time is within 1e-4 s,
//   as the SDK's evaluator does (Layout's exact solve, if it has one, differs by slope × 1e-4 s).
// - A 2-D Bezier span after a TCB or linear key takes that key's computed outgoing tangent, the
//   number Layout keeps on the key and writes as p5, so files whose writer left p5 at 0 still work.
// - Oscillate mirrors an odd copy about the middle of the keys' interval (t_F + t_L - t); the SDK's
//   formula agrees only when the first key is at time 0 and otherwise leaves the keys.
// - Keys sharing a time: at exactly that time the first of them wins and the next span starts at the
//   last of them. Keys all at one time: repeat, oscillate and offset repeat give the first key's
//   value. Linear extrapolation over an empty end span is flat. Unknown span shapes give 0 inside
//   their span (tangent 0), unknown behaviour codes act as constant.
#include "lwsc/envelope.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

namespace zkh::lwsc {

namespace {

enum Shape { kTcb = 0, kHermite = 1, kBezier1D = 2, kLinear = 3, kStepped = 4, kBezier2D = 5 };
enum Behaviour { kReset = 0, kConstant = 1, kRepeat = 2, kOscillate = 3, kOffsetRepeat = 4, kLinearSlope = 5 };

// The span Layout puts beyond an end key when it computes that key's tangent (seconds).
constexpr double kEndEpsilon = 1.0 / 3600.0;
// A 2-D Bezier span's time is solved to this (seconds), in at most this many halvings.
constexpr double kBezierTolerance = 1e-4;
constexpr int kBezierHalvings = 200;
// A 2-D Bezier handle shorter in time than this is vertical: its slope is taken as value × 1e5.
constexpr double kVerticalHandle = 1e-5;
constexpr double kVerticalSlope = 1e5;

// A double whose arithmetic never leaves the finite numbers: a result beyond the largest double
// is held at it, and a division by zero gives 0 (every divisor below is a span or a handle that
// is checked first; the fallback keeps a missed case finite). Within range each operation is the
// plain IEEE one, so ordinary envelopes get exactly the plain formulas' results.
class Real {
public:
    Real(double v = 0.0) : v_(v) {}
    double Get() const { return v_; }

    friend Real operator+(Real a, Real b) { return Held(a.v_ + b.v_); }
    friend Real operator-(Real a, Real b) { return Held(a.v_ - b.v_); }
    friend Real operator*(Real a, Real b) { return Held(a.v_ * b.v_); }
    friend Real operator/(Real a, Real b) { return b.v_ == 0.0 ? Real(0.0) : Held(a.v_ / b.v_); }
    friend bool operator==(Real a, Real b) { return a.v_ == b.v_; }
    friend bool operator<(Real a, Real b) { return a.v_ < b.v_; }
    friend bool operator>(Real a, Real b) { return a.v_ > b.v_; }
    friend bool operator<=(Real a, Real b) { return a.v_ <= b.v_; }

private:
    static Real Held(double v) { return Real(std::clamp(v, -DBL_MAX, DBL_MAX)); }
    double v_;
};

Real Abs(Real x) { return std::fabs(x.Get()); }
Real Clamp(Real x, Real low, Real high) { return std::clamp(x.Get(), low.Get(), high.Get()); }

bool KeyIsFinite(const EnvelopeKey &key)
{
    if (!std::isfinite(key.value) || !std::isfinite(key.time))
        return false;
    return std::all_of(std::begin(key.p), std::end(key.p), [](double p) { return std::isfinite(p); });
}

using KeyList = std::vector<EnvelopeKey>;

// The share of a key's two spans that lies on one side: side / (before + after); 0 when both
// spans are empty.
Real SpanShare(Real side, Real before, Real after) { return side / (before + after); }

// Δ/(Δ + ε): how Layout shortens the one chord at an end key. Written as 1 - ε/(Δ + ε), the form
// that gives every end tangent of the sample scenes to the last bit Layout wrote.
Real EndFactor(Real span) { return 1.0 - kEndEpsilon / (span + kEndEpsilon); }

// A 2-D Bezier handle's value offset over its time offset, as change over `span`.
Real HandleTangent(double timeOffset, double valueOffset, Real span)
{
    if (std::fabs(timeOffset) > kVerticalHandle)
        return Real(valueOffset) * span / timeOffset;
    return Real(valueOffset) * span * kVerticalSlope;
}

// TCB parameters; a linear key is a TCB key with all three 0.
struct Tcb {
    Real tension, continuity, bias;
};

Tcb TcbOf(const EnvelopeKey &key)
{
    if (key.shape == kTcb)
        return {key.p[0], key.p[1], key.p[2]};
    return {0.0, 0.0, 0.0};
}

// The tangent over the span from the previous key that the span ending at keys[i] uses.
Real Incoming(const KeyList &keys, std::size_t i)
{
    if (i == 0 || i >= keys.size())
        return 0.0;
    const EnvelopeKey &key = keys[i];
    const bool hasNext = i + 1 < keys.size();
    const Real before = Real(key.time) - keys[i - 1].time;
    const Real after = hasNext ? Real(keys[i + 1].time) - key.time : Real(0.0);
    switch (key.shape) {
    case kTcb:
    case kLinear: {
        const Tcb k = TcbOf(key);
        const Real a = (1.0 - k.tension) * (1.0 - k.continuity) * (1.0 + k.bias);
        const Real b = (1.0 - k.tension) * (1.0 + k.continuity) * (1.0 - k.bias);
        const Real chordIn = Real(key.value) - keys[i - 1].value;
        if (!hasNext)
            return EndFactor(before) * a * chordIn;
        const Real chordOut = Real(keys[i + 1].value) - key.value;
        return SpanShare(before, before, after) * (a * chordIn + b * chordOut);
    }
    case kHermite:
    case kBezier1D:
        return hasNext ? Real(key.p[3]) * SpanShare(before, before, after) : Real(key.p[3]);
    case kBezier2D:
        return HandleTangent(key.p[0], key.p[1], before);
    default: // stepped and unknown shapes
        return 0.0;
    }
}

// The tangent over the span to the next key that the span starting at keys[i] uses.
Real Outgoing(const KeyList &keys, std::size_t i)
{
    if (i + 1 >= keys.size())
        return 0.0;
    const EnvelopeKey &key = keys[i];
    const bool hasPrevious = i > 0;
    const Real after = Real(keys[i + 1].time) - key.time;
    const Real before = hasPrevious ? Real(key.time) - keys[i - 1].time : Real(0.0);
    switch (key.shape) {
    case kTcb:
    case kLinear: {
        const Tcb k = TcbOf(key);
        const Real a = (1.0 - k.tension) * (1.0 + k.continuity) * (1.0 + k.bias);
        const Real b = (1.0 - k.tension) * (1.0 - k.continuity) * (1.0 - k.bias);
        const Real chordOut = Real(keys[i + 1].value) - key.value;
        if (!hasPrevious)
            return EndFactor(after) * b * chordOut;
        const Real chordIn = Real(key.value) - keys[i - 1].value;
        return SpanShare(after, before, after) * (a * chordIn + b * chordOut);
    }
    case kHermite:
    case kBezier1D:
        return hasPrevious ? Real(key.p[4]) * SpanShare(after, before, after) : Real(key.p[4]);
    case kBezier2D:
        return HandleTangent(key.p[2], key.p[3], after);
    default:
        return 0.0;
    }
}

// c0 + 3u(c1 - c0) + 3u²(c2 - 2c1 + c0) + u³(c3 - 3c2 + 3c1 - c0)
Real Bezier(Real c0, Real c1, Real c2, Real c3, Real u)
{
    return c0 + 3.0 * u * (c1 - c0) + 3.0 * u * u * (c2 - 2.0 * c1 + c0) +
           u * u * u * (c3 - 3.0 * c2 + 3.0 * c1 - c0);
}

// A 2-D Bezier span from keys[j] to keys[j + 1] at time t: the curve parameter is found by halving
// until the curve's time is within the tolerance, then the curve's value there.
Real Bezier2DValue(const KeyList &keys, std::size_t j, Real t)
{
    const EnvelopeKey &k0 = keys[j], &k1 = keys[j + 1];
    Real time1, value1;
    if (k0.shape == kBezier2D) {
        time1 = Real(k0.time) + k0.p[2];
        value1 = Real(k0.value) + k0.p[3];
    } else {
        // The outgoing tangent Layout keeps on the key: computed for TCB and linear keys, the
        // written p5, unscaled, for every other shape.
        const bool computed = k0.shape == kTcb || k0.shape == kLinear;
        const Real tangent = computed ? Outgoing(keys, j) : Real(k0.p[4]);
        time1 = Real(k0.time) + (Real(k1.time) - k0.time) / 3.0;
        value1 = Real(k0.value) + tangent / 3.0;
    }
    const Real time2 = Real(k1.time) + k1.p[0];
    const Real value2 = Real(k1.value) + k1.p[1];

    Real low = 0.0, high = 1.0, u = 0.5;
    for (int halving = 0; halving < kBezierHalvings; ++halving) {
        u = low + (high - low) / 2.0;
        const Real x = Bezier(k0.time, time1, time2, k1.time, u);
        if (Abs(t - x) <= kBezierTolerance)
            break;
        if (x > t)
            high = u;
        else
            low = u;
    }
    return Bezier(k0.value, value1, value2, k1.value, u);
}

// The span from keys[j] to keys[j + 1] at a time strictly inside it, shaped by the right key.
Real SpanValue(const KeyList &keys, std::size_t j, Real t)
{
    const EnvelopeKey &k0 = keys[j], &k1 = keys[j + 1];
    const Real s = Clamp((t - k0.time) / (Real(k1.time) - k0.time), 0.0, 1.0);
    switch (k1.shape) {
    case kTcb:
    case kHermite:
    case kBezier1D: {
        const Real s2 = s * s, s3 = s2 * s;
        const Real hv0 = 2.0 * s3 - 3.0 * s2 + 1.0;
        const Real hv1 = 3.0 * s2 - 2.0 * s3;
        const Real hOut = s3 - 2.0 * s2 + s;
        const Real hIn = s3 - s2;
        return hv0 * k0.value + hv1 * k1.value + hOut * Outgoing(keys, j) + hIn * Incoming(keys, j + 1);
    }
    case kLinear:
        return Real(k0.value) + s * (Real(k1.value) - k0.value);
    case kStepped:
        return k0.value;
    case kBezier2D:
        return Bezier2DValue(keys, j, t);
    default:
        return 0.0;
    }
}

// The value at a time from the first to the last key's, both included (two keys or more).
Real InRangeValue(const KeyList &keys, Real t)
{
    // keys[j + 1] is the first key after the first one whose time is not before t, so t is after
    // keys[j] unless j is 0, and a time several keys share finds the first of them.
    const auto next = std::lower_bound(keys.begin() + 1, keys.end() - 1, t.Get(),
                                       [](const EnvelopeKey &key, double time) { return key.time < time; });
    const std::size_t j = static_cast<std::size_t>(next - keys.begin()) - 1;
    if (t == keys[j].time)
        return keys[j].value;
    if (t == keys[j + 1].time)
        return keys[j + 1].value;
    return SpanValue(keys, j, t);
}

// Before the first key (pre) or after the last: the straight line through the end key with the
// slope of its tangent over the end span.
Real LinearBeyond(const KeyList &keys, bool pre, Real t)
{
    const std::size_t end = pre ? 0 : keys.size() - 1;
    const std::size_t spanStart = pre ? 0 : keys.size() - 2;
    const Real span = Real(keys[spanStart + 1].time) - keys[spanStart].time;
    const Real tangent = pre ? Outgoing(keys, end) : Incoming(keys, end);
    const Real slope = span == 0.0 ? Real(0.0) : tangent / span;
    return Real(keys[end].value) + slope * (t - keys[end].time);
}

// The value of checked keys (finite, in time order) at a finite time.
Real ValueAt(const KeyList &keys, int pre, int post, Real t)
{
    if (keys.empty())
        return 0.0;
    if (keys.size() == 1)
        return keys.front().value;
    const EnvelopeKey &first = keys.front(), &last = keys.back();
    const bool before = t < first.time;
    if (!before && !(t > last.time))
        return InRangeValue(keys, t);

    const int behaviour = before ? pre : post;
    switch (behaviour) {
    case kReset:
        return 0.0;
    case kLinearSlope:
        return LinearBeyond(keys, before, t);
    case kRepeat:
    case kOscillate:
    case kOffsetRepeat: {
        const Real period = Real(last.time) - first.time;
        if (period == 0.0)
            return first.value;
        // The copy t falls in (negative before the first key) and t moved into the keys. The copy
        // count stays a double: it is never used as an integer, so any count is safe.
        const Real copy = std::floor(((t - first.time) / period).Get());
        Real folded = Clamp(t - copy * period, first.time, last.time);
        if (behaviour == kOscillate && std::fmod(copy.Get(), 2.0) != 0.0)
            folded = Clamp(Real(first.time) + last.time - folded, first.time, last.time);
        const Real offset = behaviour == kOffsetRepeat ? copy * (Real(last.value) - first.value) : Real(0.0);
        return InRangeValue(keys, folded) + offset;
    }
    default: // constant, and unknown codes
        return before ? first.value : last.value;
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

double EvaluateEnvelope(const Envelope &envelope, double time)
{
    if (!std::isfinite(time))
        return kNaN;
    const KeyList &keys = envelope.keys;
    bool sorted = true;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!KeyIsFinite(keys[i]))
            return kNaN;
        if (i > 0 && keys[i].time < keys[i - 1].time)
            sorted = false;
    }
    if (!sorted)
        return EnvelopeCurve(envelope).Value(time);
    return ValueAt(keys, envelope.pre, envelope.post, time).Get();
}

EnvelopeCurve::EnvelopeCurve(Envelope envelope) : envelope_(std::move(envelope))
{
    KeyList &keys = envelope_.keys;
    finite_ = std::all_of(keys.begin(), keys.end(), KeyIsFinite);
    // Times that are not finite have no order to sort by; such a curve is NaN everywhere anyway.
    if (finite_)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const EnvelopeKey &a, const EnvelopeKey &b) { return a.time < b.time; });
}

double EnvelopeCurve::Value(double time) const
{
    if (!finite_ || !std::isfinite(time))
        return kNaN;
    return ValueAt(envelope_.keys, envelope_.pre, envelope_.post, time).Get();
}

KeyTangents ComputeTangents(const std::vector<EnvelopeKey> &keys, std::size_t index)
{
    if (index >= keys.size())
        return {};
    const std::size_t from = index > 0 ? index - 1 : index;
    const std::size_t to = std::min(index + 1, keys.size() - 1);
    for (std::size_t i = from; i <= to; ++i)
        if (!KeyIsFinite(keys[i]))
            return {kNaN, kNaN};
    return {Incoming(keys, index).Get(), Outgoing(keys, index).Get()};
}

} // namespace zkh::lwsc

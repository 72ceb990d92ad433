// envelope.h: Layout's envelopes (a channel's keys and behaviours) and their evaluation.
#ifndef ZKH_LWSC_ENVELOPE_H
#define ZKH_LWSC_ENVELOPE_H

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

// The envelope's value at a time, as Layout evaluates it.
double EvaluateEnvelope(const Envelope &envelope, double time);

} // namespace zkh::lwsc

#endif

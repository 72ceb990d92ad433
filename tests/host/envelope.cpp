// Layout's envelope evaluation: the sample scenes' curves at chosen times, every span shape and
// behaviour, the tangents Layout writes into TCB and linear keys, and hostile numbers.
#include "lwsc/document.h"
#include "lwsc/envelope.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace zkh::lwsc;

// An envelope block's lines after "{ Envelope" (up to and with its "}"), read by the scene reader.
Envelope ParseEnvelope(const std::string &text)
{
    const TextLines lines("{ Envelope\n" + text + "\n");
    EnvelopeBlock block;
    Warnings warnings;
    EXPECT_TRUE(ParseEnvelopeBlock(lines, 0, lines.size(), block, warnings)) << text;
    return block.envelope;
}

// Channel `channel` of the first item of a kind in a sample scene, as the scene reader reads it.
Envelope ReadChannel(const std::string &file, DeclKind kind, int channel)
{
    std::ifstream in(std::string(ZK_SOURCE_DIR) + "/../shared/lwsc/samples/" + file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    Document document;
    ParseError error;
    EXPECT_TRUE(ParseDocument(bytes.str(), document, error)) << file << ": " << error.reason;
    for (const ItemDecl &item : document.items)
        if (item.kind == kind)
            for (const ChannelSlot &slot : item.channels)
                if (slot.number == channel)
                    return slot.envelope.envelope;
    ADD_FAILURE() << file << " has no channel " << channel;
    return Envelope();
}

// One unit of the sixth significant digit (the reference values are rounded to six).
double SixthDigit(double value) { return value == 0.0 ? 1e-6 : std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 5); }

// Made-up envelopes for what the samples do not reach: A TCB parameters, mixed shapes, pre and post
// linear; B stepped keys next to TCB spans, pre repeat, post offset repeat; C Hermite and TCB keys
// next to 2-D Bezier spans (the TCB key with p5 left at 0), pre oscillate, post linear on a 2-D
// Bezier key; D oscillation with the first key at 1 s.
const char *const kMadeUp[] = {
    "Key 0 0 0 0.3 -0.2 0.5 0 0 0\nKey 1 0.5 0 0.1 0.4 -0.3 0 0 0\nKey 0.2 1.2 1 0 0 0 0.7 -0.4 0\n"
    "Key 2 2 3 0 0 0 0 0 0\nKey 1.5 2.6 0 -0.5 0.2 0.1 0 0 0\nBehaviors 5 5\n}",
    "Key 0 0 4 0 0 0 0 0.9 0\nKey 1 0.4 0 0 0 0 0 0 0\nKey 0.5 1 4 0 0 0 0 0 0\nKey 2 1.5 0 0 0 0 0 0 0\n"
    "Behaviors 2 4\n}",
    "Key 0 0 1 0 0 0 0 1.5 0\nKey 1 1 5 -0.3 0.2 0.3 0.1 0 0\nKey 0.3 2 0 0 0 0 0 0 0\n"
    "Key 1.2 3 5 -0.2 -0.5 0 0 0 0\nBehaviors 3 5\n}",
    "Key 1 1 3 0 0 0 0 0 0\nKey 3 2 3 0 0 0 0 0 0\nKey 2 4 3 0 0 0 0 0 0\nBehaviors 3 3\n}",
};

// Every value below is from the reference table of these curves: a separate double-precision
// evaluator of the same rules, rounded to six significant digits.
TEST(LwscEnvelope, SampleAndMadeUpCurvesMatchTheReferenceValues)
{
    struct Row {
        const char *scene; // move_<scene>.lws, channel of its object; or "A".."D", the made-up envelopes
        int channel;
        double time, value;
    } const rows[] = {
        {"x_post_constant", 0, -0.5, 0}, {"x_post_constant", 0, 0, 0}, {"x_post_constant", 0, 0.25, 1.06345},
        {"x_post_constant", 0, 0.66666666666666663, 2.13819}, {"x_post_constant", 0, 1, 0.50212},
        {"x_post_constant", 0, 1.3, -1.63818}, {"x_post_constant", 0, 2, -1.63818},
        {"x_post_reset", 0, 1.3, -1.63818}, {"x_post_reset", 0, 1.5, 0}, {"x_post_repeat", 0, 1.5, 0.828957},
        {"x_post_repeat", 0, 2.6, 0}, {"x_post_repeat", 0, 4, 0.377591}, {"x_post_offset_repeat", 0, 1.5, -0.809227},
        {"x_post_offset_repeat", 0, 2.6, -3.27637}, {"x_post_offset_repeat", 0, 4, -4.53696},
        {"x_post_linear", 0, 1.5, -2.8302}, {"x_post_linear", 0, 4, -17.7304}, {"xz_spline", 0, 0.5, 1.81938},
        {"xz_spline", 0, 1.5, 0.621247}, {"xz_spline", 2, 2, -1.9909}, {"xz_hermite", 0, 0.25, 0.909256},
        {"xz_hermite", 0, 1, 1.62447}, {"xz_hermite", 0, 1.5, 0.589612}, {"xz_hermite", 2, 0.5, -1.22771},
        {"xz_hermite", 2, 2.5, -0.975903}, {"xz_bezier", 0, -0.5, 0}, {"xz_bezier", 0, 0.25, 0.894429},
        {"xz_bezier", 0, 1, 1.61359}, {"xz_bezier", 0, 1.5, 0.582874}, {"xz_bezier", 2, 2, -2.00135},
        {"xz_linear", 0, 0.25, 0.721844}, {"xz_linear", 2, 2.5, -0.827319}, {"xz_stepped", 0, 0.5, 0},
        {"xz_stepped", 0, 0.66666666666666663, 1.92492}, {"xz_stepped", 0, 1.9, 1.92492},
        {"y_pre_ofrep_post_osc", 1, -0.5, -0.79129}, {"y_pre_ofrep_post_osc", 1, -1.7, -0.989099},
        {"y_pre_ofrep_post_osc", 1, -2, -1.47401}, {"y_pre_ofrep_post_osc", 1, 1.35, 0.421871},
        {"y_pre_ofrep_post_osc", 1, 2, 0.504188}, {"y_pre_ofrep_post_osc", 1, 2.4, 0},
        {"y_pre_ofrep_post_osc", 1, 3.4, 0}, {"y_pre_ofrep_post_osc", 1, 4, -0.0837825}, {"A", 0, -0.5, -0.419767},
        {"A", 0, 0.25, 0.601033}, {"A", 0, 0.8, 0.677001}, {"A", 0, 1.6, 1.1}, {"A", 0, 2.3, 1.9021},
        {"A", 0, 3, 1.0602}, {"B", 0, 0.2, 0.475}, {"B", 0, 1.25, 1.0626}, {"B", 0, -0.3, 0.88408}, {"B", 0, 2, 3},
        {"C", 0, 0.5, 0.746782}, {"C", 0, 1.5, 0.679167}, {"C", 0, 2.5, 0.533539}, {"C", 0, 3.5, 2.45},
        {"C", 0, -0.5, 0.746782}, {"D", 0, 0.5, 2}, {"D", 0, 4.5, 2.25},
    };
    for (const Row &row : rows) {
        const Envelope envelope = row.scene[1] == '\0' ? ParseEnvelope(kMadeUp[row.scene[0] - 'A'])
                                                       : ReadChannel(std::string("move_") + row.scene + ".lws", DeclKind::Object, row.channel);
        EXPECT_NEAR(EvaluateEnvelope(envelope, row.time), row.value, SixthDigit(row.value))
            << row.scene << " " << row.channel << " at " << row.time;
    }
    // One-key envelopes, before and after their key.
    EXPECT_EQ(EvaluateEnvelope(ReadChannel("move_x_post_linear.lws", DeclKind::Light, 0), 5), -2);
    EXPECT_NEAR(EvaluateEnvelope(ReadChannel("move_x_post_linear.lws", DeclKind::Camera, 1), -3), 0.95, 1e-6);
}

// Worked out by hand. Keys 0@0 and 1@1, TCB: both tangents are the chord 1 times the end factor
// g = 1 - (1/3600)/(1 + 1/3600), so value(s) = (3s² - 2s³) + (s³ - 2s² + s)g + (s³ - s²)g; at 0.25
// that is 0.15625 + 0.09375g, at 0.75 0.84375 - 0.09375g, and post linear goes on with slope g.
TEST(LwscEnvelope, TwoKeyTcbCurveBendsByTheEndFactor)
{
    Envelope envelope = ParseEnvelope("Key 0 0 0 0 0 0 0 0 0\nKey 1 1 0 0 0 0 0 0 0\nBehaviors 1 5\n}");
    const double g = 1.0 - (1.0 / 3600.0) / (1.0 + 1.0 / 3600.0);
    EXPECT_NEAR(EvaluateEnvelope(envelope, 0.25), 0.15625 + 0.09375 * g, 1e-15);
    EXPECT_NEAR(EvaluateEnvelope(envelope, 0.5), 0.5, 1e-15);
    EXPECT_NEAR(EvaluateEnvelope(envelope, 0.75), 0.84375 - 0.09375 * g, 1e-15);
    EXPECT_NEAR(EvaluateEnvelope(envelope, 2), 1 + g, 1e-15);
    EXPECT_EQ(ComputeTangents(envelope.keys, 0).outgoing, g);
}

// The old 1-D Bezier shape is Hermite; keys moved 10 s earlier (into negative times) give the same
// curve 10 s earlier, behaviours included.
TEST(LwscEnvelope, OneDBezierIsHermiteAndNegativeTimesShiftTheCurve)
{
    const Envelope hermite = ReadChannel("move_xz_hermite.lws", DeclKind::Object, 2);
    Envelope bezier = hermite;
    for (EnvelopeKey &key : bezier.keys)
        key.shape = 2;
    Envelope shifted = ReadChannel("move_y_pre_ofrep_post_osc.lws", DeclKind::Object, 1);
    const Envelope original = shifted;
    for (EnvelopeKey &key : shifted.keys)
        key.time -= 10.0;
    for (double t = -3.0; t < 5.0; t += 0.125) {
        EXPECT_EQ(EvaluateEnvelope(bezier, t), EvaluateEnvelope(hermite, t)) << t;
        EXPECT_NEAR(EvaluateEnvelope(shifted, t - 10.0), EvaluateEnvelope(original, t), 1e-12) << t;
    }
}

// Worked out by hand from the rules: no key is 0; one key is its value whatever the behaviour; an
// unknown span shape is 0 inside its span (plus the offset), an unknown behaviour is constant;
// of keys sharing a time the first (in the given order, kept by a stable sort) wins at that time
// and the next span starts at the last; keys all at one time repeat as the first key's value.
TEST(LwscEnvelope, EdgeCasesOfKeysShapesAndBehaviours)
{
    EXPECT_EQ(EvaluateEnvelope(Envelope{}, 3.0), 0.0);
    EXPECT_EQ(EvaluateEnvelope(ParseEnvelope("Key 0.75 2 0 0 0 0 0 0 0\nBehaviors 0 5\n}"), -4.0), 0.75);
    const Envelope unknown = ParseEnvelope("Key 1 0 0 0 0 0 0 0 0\nKey 2 1 9 0 0 0 0 0 0\nBehaviors 7 4\n}");
    EXPECT_EQ(EvaluateEnvelope(unknown, 0.5), 0.0);
    EXPECT_EQ(EvaluateEnvelope(unknown, 1.5), 1.0);
    EXPECT_EQ(EvaluateEnvelope(unknown, -2.0), 1.0);

    Envelope shared = ParseEnvelope("Key 5 2 3 0 0 0 0 0 0\nKey 1 1 3 0 0 0 0 0 0\nKey 0 0 3 0 0 0 0 0 0\n"
                                    "Key 3 1 3 0 0 0 0 0 0\nKey 9 2 3 0 0 0 0 0 0\nBehaviors 1 1\n}");
    const double times[] = {0.5, 1.0, 1.5, 2.0, 2.5};
    const double values[] = {0.5, 1.0, 4.0, 5.0, 9.0};
    const EnvelopeCurve curve(shared);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(EvaluateEnvelope(shared, times[i]), values[i]) << times[i];
        EXPECT_EQ(curve.Value(times[i]), values[i]) << times[i];
    }
    const Envelope together = ParseEnvelope("Key 4 1 0 0 0 0 0 0 0\nKey 6 1 0 0 0 0 0 0 0\nBehaviors 2 3\n}");
    EXPECT_EQ(EvaluateEnvelope(together, 0.0), 4.0);
    EXPECT_EQ(EvaluateEnvelope(together, 2.0), 4.0);
}

// The tangents computed for every TCB and linear key equal the p4 (incoming) and p5 (outgoing)
// Layout wrote, to the last of the 17 digits it prints give or take rounding. (move_xz_linear.lws
// is left out: Layout did not recompute its first key's p5 after an edit.)
TEST(LwscEnvelope, ComputedTangentsAreThoseLayoutWrote)
{
    const char *const files[] = {"move_x.lws", "move_x_oldformat_6.lws", "move_x_post_constant.lws",
                                 "move_x_post_linear.lws", "move_x_post_offset_repeat.lws", "move_x_post_repeat.lws",
                                 "move_x_post_reset.lws", "move_xz_spline.lws", "move_y_pre_ofrep_post_osc.lws"};
    int checked = 0;
    for (const char *file : files)
        for (int channel = 0; channel < 9; ++channel) {
            const Envelope envelope = ReadChannel(file, DeclKind::Object, channel);
            for (std::size_t i = 0; i < envelope.keys.size(); ++i) {
                const EnvelopeKey &key = envelope.keys[i];
                ASSERT_TRUE(key.shape == 0 || key.shape == 3) << file << " " << channel;
                const KeyTangents tangents = ComputeTangents(envelope.keys, i);
                EXPECT_NEAR(tangents.incoming, key.p[3], 1e-15 * std::fabs(key.p[3])) << file << " " << channel << " " << i;
                EXPECT_NEAR(tangents.outgoing, key.p[4], 1e-15 * std::fabs(key.p[4])) << file << " " << channel << " " << i;
                checked += key.p[3] != 0.0 || key.p[4] != 0.0;
            }
        }
    EXPECT_EQ(checked, 29); // keys whose written tangents are not both 0
}

// Hostile numbers: a time or a key number that is not finite gives NaN; finite keys 1e300 apart
// (every shape, every behaviour) give finite values, also far beyond the keys; a fold over a
// huge count lands exactly when the numbers allow; a long rig finds each span.
TEST(LwscEnvelope, HostileNumbersGiveFiniteValuesOrNaN)
{
    Envelope envelope = ParseEnvelope("Key 0 0 0 0 0 0 0 0 0\nKey 1 1 3 0 0 0 0 0 0\nBehaviors 2 4\n}");
    EXPECT_TRUE(std::isnan(EvaluateEnvelope(envelope, NAN)));
    EXPECT_TRUE(std::isnan(EvaluateEnvelope(envelope, -INFINITY)));
    EXPECT_EQ(EvaluateEnvelope(envelope, 1e15 + 0.25), 1e15 + 0.25); // copy 1e15, folded to exactly 0.25
    envelope.keys[0].p[5] = INFINITY;
    EXPECT_TRUE(std::isnan(EvaluateEnvelope(envelope, 0.5)));
    EXPECT_TRUE(std::isnan(ComputeTangents(envelope.keys, 1).incoming));
    envelope.keys[1].time = NAN;
    EXPECT_TRUE(std::isnan(EnvelopeCurve(envelope).Value(0.5)));

    for (int shape = 0; shape < 7; ++shape)
        for (int behaviour = 0; behaviour < 6; ++behaviour) {
            Envelope far = ParseEnvelope("Key -1e308 -1e300 0 1e300 -1e300 1e-300 0 0 0\nKey 1e308 1e-300 0 0 0 0 0 0 0\n"
                                         "Key -1e308 1e300 0 -1e-300 1e308 1e-300 -1e308 1e308 0\nBehaviors 0 0\n}");
            for (EnvelopeKey &key : far.keys)
                key.shape = shape;
            far.pre = far.post = behaviour;
            for (double t : {-DBL_MAX, -1e300, -0.5, 0.0, 1e-300, 0.5, 1e299, 1e300, 3e300, DBL_MAX})
                EXPECT_TRUE(std::isfinite(EvaluateEnvelope(far, t))) << shape << " " << behaviour << " " << t;
        }

    Envelope rig;
    for (int i = 0; i < 100000; ++i)
        rig.keys.push_back({double(i) * i, double(i), 3, {}});
    const EnvelopeCurve curve(rig);
    for (int i = 0; i < 99999; i += 7)
        EXPECT_EQ(curve.Value(i + 0.5), double(i) * i + i + 0.5) << i;
}

} // namespace

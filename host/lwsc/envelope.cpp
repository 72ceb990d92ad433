// envelope.cpp: placeholder evaluation (linear between keys) until the full evaluator lands.
#include "envelope.h"

#include <cstddef>

namespace zkh::lwsc {

double EvaluateEnvelope(const Envelope &envelope, double time)
{
    const auto &keys = envelope.keys;
    if (keys.empty())
        return 0.0;
    if (time <= keys.front().time)
        return keys.front().value;
    if (time >= keys.back().time)
        return keys.back().value;
    for (std::size_t i = 1; i < keys.size(); ++i)
        if (time <= keys[i].time) {
            const double s = (time - keys[i - 1].time) / (keys[i].time - keys[i - 1].time);
            return keys[i].shape == 4 ? keys[i - 1].value : keys[i - 1].value + s * (keys[i].value - keys[i - 1].value);
        }
    return keys.back().value;
}

} // namespace zkh::lwsc

// fuzz_expression_commands.cpp: graph-editor command lines on the simulated host, and the morph
// channel test and expression naming of the morph consolidation command, on arbitrary lines.
//
// Checked: every attached expression exists and every attached channel exists; every channel
// evaluates to a finite value (reference loops end); a morph channel name has exactly one "."
// with text on both sides; an expression name holds no ".", ":" or space.
#include "common/lwtool2.h"
#include "host.h"
#include "morph_rig.h"
#include "morphconsolidate/morph_channels.h"
#include "morphconsolidate/morph_link.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char *what, const std::string &line)
{
    std::fprintf(stderr, "%s: \"%s\"\n", what, line.c_str());
    std::abort();
}

void CheckLine(const std::string &line)
{
    if (IsMorphChannel(line)) {
        const size_t dot = line.find('.');
        if (dot == std::string::npos || dot == 0 || dot + 1 == line.size() || line.find('.', dot + 1) != std::string::npos)
            Fail("a morph channel name without exactly one inner dot", line);
    }
    if (ExpressionName(line, line).find_first_of(".: ") != std::string::npos)
        Fail("an expression name keeps a separator", line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    zkh::Host host;
    zkh::BuildMorphRig(host.scene, {});
    host.scene.vertexMaps.emplace_back(LWVMAP_MORF, "Mouth.Open");
    if (!AcquireToolGlobals(zkh::Host::GlobalLookup))
        std::abort();

    const std::string input(reinterpret_cast<const char *>(data), size);
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, end - start);
        host.commands.Send(line);
        CheckLine(line);
        start = end + 1;
    }

    const zkh::ExpressionTable &table = host.expressions;
    for (const zkh::Channel &channel : host.scene.Channels()) {
        for (const std::string &name : table.AttachedTo(channel.id))
            if (!table.Find(name))
                Fail("an attached expression is missing", name);
        if (!std::isfinite(zkh::EvaluateChannel(host.scene, table, channel, 0.5)))
            Fail("a channel does not evaluate", channel.name);
    }
    for (const zkh::Expression &expression : table.Expressions())
        for (std::uint32_t channel : table.ChannelsOf(expression.name))
            if (!host.scene.FindChannel(channel))
                Fail("an expression is attached to a missing channel", expression.name);
    return 0;
}

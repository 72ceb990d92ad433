// clipmixer_panel.cpp: the modal options panel of a clip mixer instance.
#include "clipmixer_panel.h"

#include "../common/lwguard.h"
#include "clipmixer.h"

LWError MixerOptions(LWInstance inst)
{
    return GuardedOr(static_cast<LWError>(nullptr), [&]() -> LWError {
        if (inst)
            RebuildAll(*static_cast<ClipMixer *>(inst));
        return nullptr;
    });
}

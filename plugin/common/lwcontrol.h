// lwcontrol.h: values of the controls of panels built directly on the host's panel service (the
// clip mixer's options, the morph consolidation panel). A null control is left alone and reads 0
// or the empty text.
#ifndef ZK_LWCONTROL_H
#define ZK_LWCONTROL_H

#include "lwhost/lwhost.h"

#include <string>

void SetControlInt(LWControl *control, cTag tag, int value);
int GetControlInt(LWControl *control, cTag tag);
void SetControlPointer(LWControl *control, cTag tag, void *pointer);

// The control's text value, at most maxLength bytes of it.
std::string GetControlText(LWControl *control, int maxLength);

#endif

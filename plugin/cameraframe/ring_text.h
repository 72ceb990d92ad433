// ring_text.h: the text objects of the ring reply, as the requesting plug-in's library lays them out.
//
// The requester constructs the reply's text objects and frees them; this side assigns to them. On
// 64-bit Windows Layout's plug-ins are built with Microsoft's compiler and library, whatever
// builds this module, so a text object there is Microsoft's std::string: 32 bytes, an inline
// buffer of 16 bytes or the address of a block of the process heap, then the size and the capacity
// (without the terminating zero; 15 means inline). Elsewhere it is the toolchain's own std::string.
#ifndef ZK_CAMERAFRAME_RING_TEXT_H
#define ZK_CAMERAFRAME_RING_TEXT_H

#include <cstddef>
#include <string>

#if defined(_WIN64)
struct RingText {
    union {
        char buffer[16];
        char *pointer;
    } storage;
    std::size_t size;
    std::size_t capacity;
};
#else
using RingText = std::string;
#endif

static_assert(sizeof(RingText) == 32, "the requester's text objects are 32 bytes");

// text = value, as the requester's library assigns: in place when the text's capacity holds it,
// else in a new block (the old one freed) as that library allocates and frees them.
void AssignRingText(RingText &text, const std::string &value);

// The characters of a text object.
std::string RingTextValue(const RingText &text);

#endif

/* ring_peer_text.h: the camera frames' ring reply as a requesting plug-in built with Microsoft's
 * compiler and library lays it out on 64-bit Windows, in plain C.
 *
 * Its text objects are that library's std::string: an inline buffer of 16 bytes or the address of
 * a block from operator new (the process heap; 4096 bytes and more aligned to 32 by hand, the real
 * block's address in the word before the text and a debug sentinel in the word before that), then
 * the size and the capacity (without the terminating zero; 15 means inline). The peer constructs,
 * reads and frees them as that library does. */
#ifndef ZKH_RING_PEER_TEXT_H
#define ZKH_RING_PEER_TEXT_H

#if defined(_WIN64)

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PeerText {
    union {
        char buffer[16];
        char *pointer;
    } storage;
    size_t size;
    size_t capacity;
} PeerText;

typedef struct PeerEntry {
    PeerText name;
    void *camera;
    int32_t innerX[4], innerY[4], outerX[4], outerY[4];
    double marginMax, marginW, marginH, marginWPx, marginHPx;
    int32_t red, green, blue, opacity;
    PeerText memo;
    PeerText focalLength;
} PeerEntry;

typedef struct PeerReply {
    uint8_t answered;
    int32_t count;
    uint8_t combined;
    int32_t red, green, blue, opacity;
    PeerText extraText;
    uint8_t extraFlag;
    PeerEntry *entries;
} PeerReply;

/* As the default constructor: empty, in the inline buffer. */
void PeerTextInit(PeerText *text);
/* As assign(chars, size): in place when the capacity holds it, else in a new block from operator
   new, the old one deleted. 0 when done; -1 when out of memory or a delete failed. */
int PeerTextAssign(PeerText *text, const char *chars, size_t size);
const char *PeerTextChars(const PeerText *text);
/* As the destructor: the block, if any, is deleted as operator delete does, and the text is empty
   again. 0 when done; -1 where that library ends the process instead: a big block whose back
   distance or sentinel is wrong, or a block the process heap does not hold. */
int PeerTextFree(PeerText *text);

/* Every text constructed, every other field zero. */
void PeerEntryInit(PeerEntry *entry);
void PeerReplyInit(PeerReply *reply);
/* The texts freed; the number of frees that failed. */
int PeerEntryFree(PeerEntry *entry);
int PeerReplyFree(PeerReply *reply);

#ifdef __cplusplus
}
#endif

#endif
#endif

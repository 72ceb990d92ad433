/* ring_peer_text.c: a Microsoft-built peer's text objects of the ring reply, in plain C. */
#include "ring_peer_text.h"

#if defined(_WIN64)

#include <windows.h>

#include <stddef.h>
#include <string.h>

_Static_assert(sizeof(PeerText) == 32, "std::string of Microsoft's library, x64");
_Static_assert(sizeof(PeerEntry) == 224 && offsetof(PeerEntry, camera) == 32 && offsetof(PeerEntry, innerX) == 40 &&
                   offsetof(PeerEntry, marginMax) == 104 && offsetof(PeerEntry, red) == 144 &&
                   offsetof(PeerEntry, memo) == 160 && offsetof(PeerEntry, focalLength) == 192,
               "the camera frames' entry layout");
_Static_assert(sizeof(PeerReply) == 80 && offsetof(PeerReply, count) == 4 && offsetof(PeerReply, combined) == 8 &&
                   offsetof(PeerReply, opacity) == 24 && offsetof(PeerReply, extraText) == 32 &&
                   offsetof(PeerReply, extraFlag) == 64 && offsetof(PeerReply, entries) == 72,
               "the camera frames' reply layout");

enum { kInlineCapacity = 15, kBigBlock = 4096, kBigAlignment = 32 };
/* The release library's room before a big block's text and the debug library's; a back distance
   the one accepts and the other not ends the process in that build. */
enum { kReleaseBackMin = 8, kReleaseBackMax = 39, kDebugBackMin = 16, kDebugBackMax = 47 };
static const uintptr_t kSentinel = (uintptr_t)0xFAFAFAFAFAFAFAFAull;

/* operator new of the release library. */
static char *NewBlock(size_t bytes)
{
    uintptr_t base, text;
    if (bytes < kBigBlock)
        return (char *)HeapAlloc(GetProcessHeap(), 0, bytes);
    base = (uintptr_t)HeapAlloc(GetProcessHeap(), 0, bytes + kReleaseBackMax);
    if (!base)
        return NULL;
    text = (base + kReleaseBackMax) & ~(uintptr_t)(kBigAlignment - 1);
    ((uintptr_t *)text)[-1] = base;
    ((uintptr_t *)text)[-2] = kSentinel;
    return (char *)text;
}

/* operator delete, with the checks of both libraries for a big block. */
static int DeleteBlock(char *block, size_t bytes)
{
    void *real = block;
    if (bytes >= kBigBlock) {
        const uintptr_t text = (uintptr_t)block;
        const uintptr_t base = ((const uintptr_t *)block)[-1];
        const uintptr_t back = text - base;
        if (base > text || back < kReleaseBackMin || back > kReleaseBackMax || back < kDebugBackMin ||
            back > kDebugBackMax || ((const uintptr_t *)block)[-2] != kSentinel)
            return -1;
        real = (void *)base;
    }
    if (!HeapValidate(GetProcessHeap(), 0, real) || HeapSize(GetProcessHeap(), 0, real) < bytes)
        return -1;
    return HeapFree(GetProcessHeap(), 0, real) ? 0 : -1;
}

void PeerTextInit(PeerText *text)
{
    memset(text, 0, sizeof *text);
    text->capacity = kInlineCapacity;
}

const char *PeerTextChars(const PeerText *text)
{
    return text->capacity > kInlineCapacity ? text->storage.pointer : text->storage.buffer;
}

int PeerTextAssign(PeerText *text, const char *chars, size_t size)
{
    size_t grown;
    char *block;
    if (size <= text->capacity) {
        char *into = (char *)PeerTextChars(text);
        memmove(into, chars, size);
        into[size] = '\0';
        text->size = size;
        return 0;
    }
    grown = size | kInlineCapacity;
    if (grown < text->capacity + text->capacity / 2)
        grown = text->capacity + text->capacity / 2;
    block = NewBlock(grown + 1);
    if (!block)
        return -1;
    memcpy(block, chars, size);
    block[size] = '\0';
    if (PeerTextFree(text) != 0)
        return -1;
    text->storage.pointer = block;
    text->size = size;
    text->capacity = grown;
    return 0;
}

int PeerTextFree(PeerText *text)
{
    int result = 0;
    if (text->capacity > kInlineCapacity)
        result = DeleteBlock(text->storage.pointer, text->capacity + 1);
    PeerTextInit(text);
    return result;
}

void PeerEntryInit(PeerEntry *entry)
{
    memset(entry, 0, sizeof *entry);
    PeerTextInit(&entry->name);
    PeerTextInit(&entry->memo);
    PeerTextInit(&entry->focalLength);
}

void PeerReplyInit(PeerReply *reply)
{
    memset(reply, 0, sizeof *reply);
    PeerTextInit(&reply->extraText);
}

int PeerEntryFree(PeerEntry *entry)
{
    return -(PeerTextFree(&entry->name) + PeerTextFree(&entry->memo) + PeerTextFree(&entry->focalLength));
}

int PeerReplyFree(PeerReply *reply) { return -PeerTextFree(&reply->extraText); }

#endif

// ring_text.cpp: assigning to the requester's text objects.
#include "ring_text.h"

#if defined(_WIN64)

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kInlineCapacity = 15;
// Microsoft's operator new hands out blocks of 4096 bytes or more aligned to 32 bytes by hand: the
// real block's address is kept in the word just before the text, and a debug library's sentinel in
// the word before that. A back distance of 16 to 39 bytes with both words written is accepted by
// the release library (8 to 39) and the debug one (16 to 47, sentinel) alike.
constexpr std::size_t kBigBlock = 4096;
constexpr std::uintptr_t kBigAlignment = 32;
constexpr std::size_t kBigExtra = 47;
constexpr std::uintptr_t kBigSentinel = 0xFAFAFAFAFAFAFAFAull;

// A block of the process heap, as operator new makes one (its blocks are 16-byte aligned, so the
// text starts 16 or 32 bytes into a big one).
char *NewBlock(std::size_t bytes)
{
    if (bytes < kBigBlock)
        return static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, bytes));
    void *real = HeapAlloc(GetProcessHeap(), 0, bytes + kBigExtra);
    if (!real)
        return nullptr;
    const auto base = reinterpret_cast<std::uintptr_t>(real);
    const std::uintptr_t text = (base + 16 + kBigAlignment - 1) & ~(kBigAlignment - 1);
    reinterpret_cast<std::uintptr_t *>(text)[-1] = base;
    reinterpret_cast<std::uintptr_t *>(text)[-2] = kBigSentinel;
    return reinterpret_cast<char *>(text);
}

// Frees a block as operator delete does.
void DeleteBlock(char *block, std::size_t bytes)
{
    void *real = bytes < kBigBlock ? block : reinterpret_cast<void *>(reinterpret_cast<std::uintptr_t *>(block)[-1]);
    HeapFree(GetProcessHeap(), 0, real);
}

// The library's growth: at least the size rounded up to 15 modulo 16, and one and a half times the
// old capacity.
std::size_t GrownCapacity(std::size_t size, std::size_t old) { return std::max(size | kInlineCapacity, old + old / 2); }

} // namespace

void AssignRingText(RingText &text, const std::string &value)
{
    const std::size_t size = value.size();
    // A record of zeros has no constructed text in it; it is taken as an empty one.
    const std::size_t capacity = text.capacity < kInlineCapacity ? kInlineCapacity : text.capacity;
    if (size <= capacity) {
        char *chars = capacity > kInlineCapacity ? text.storage.pointer : text.storage.buffer;
        std::memmove(chars, value.data(), size);
        chars[size] = '\0';
        text.size = size;
        text.capacity = capacity;
        return;
    }
    const std::size_t grown = GrownCapacity(size, capacity);
    char *block = NewBlock(grown + 1);
    if (!block)
        throw std::bad_alloc();
    std::memcpy(block, value.data(), size);
    block[size] = '\0';
    if (capacity > kInlineCapacity)
        DeleteBlock(text.storage.pointer, capacity + 1);
    text.storage.pointer = block;
    text.size = size;
    text.capacity = grown;
}

std::string RingTextValue(const RingText &text)
{
    const char *chars = text.capacity > kInlineCapacity ? text.storage.pointer : text.storage.buffer;
    return std::string(chars, text.size);
}

#else

void AssignRingText(RingText &text, const std::string &value) { text = value; }

std::string RingTextValue(const RingText &text) { return text; }

#endif

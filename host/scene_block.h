// scene_block.h: a plug-in's block in the scene file, and the load and save states over it.
#ifndef ZKH_SCENE_BLOCK_H
#define ZKH_SCENE_BLOCK_H

#include "lwhost/lwhost.h"

#include <string>
#include <vector>

namespace zkh {

// One typed item: a string, a signed or unsigned 32-bit integer, or a 32-bit float.
struct BlockItem {
    enum class Type { Str, I4, U4, FP };
    Type type = Type::Str;
    std::string text;    // Str
    double number = 0.0; // I4, U4 (exact) and FP (the float's value)
};

using Block = std::vector<BlockItem>;

// Writes items in sequence at the end of a block.
class BlockWriter {
public:
    explicit BlockWriter(Block &block);
    const LWSaveState *State() const { return &state_; }

private:
    LWSaveState state_{};
    Block &block_;
    friend struct BlockAccess;
};

// Reads items in sequence. A read of another type, or past the end of the block, reads nothing.
class BlockReader {
public:
    explicit BlockReader(const Block &block);
    const LWLoadState *State() const { return &state_; }
    size_t Position() const { return position_; }

private:
    LWLoadState state_{};
    const Block &block_;
    size_t position_ = 0;
    friend struct BlockAccess;
};

// Text form of one item ("Str \"x\"", "I4 -1", "U4 7", "FP 0.5") and back.
std::string FormatBlockItem(const BlockItem &item);
bool ParseBlockItem(const std::string &line, BlockItem &item, std::string &error);

// Quoting used by the scene file for strings.
std::string QuoteText(const std::string &text);
// Reads a quoted text starting at text[pos]; pos moves past the closing quote.
bool UnquoteText(const std::string &text, size_t &pos, std::string &out);

} // namespace zkh

#endif

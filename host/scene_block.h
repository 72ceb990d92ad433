// scene_block.h: a plug-in's block in the scene file, and the load and save states over it.
#ifndef ZKH_SCENE_BLOCK_H
#define ZKH_SCENE_BLOCK_H

#include "lwhost/lwhost.h"

#include <string>
#include <vector>

namespace zkh {

// One typed value: a string, a signed or unsigned 32-bit integer or a 32-bit float; or the start or
// the end of a nested block. As in Layout's text scenes, one write call is one line: the values of a
// call of several values are items of which all but the last are joined to the next, and a read
// takes one whole line of its own type and count or nothing.
struct BlockItem {
    enum class Type { Str, I4, U4, FP, Begin, End };
    Type type = Type::Str;
    std::string text;    // Str; the token of a Begin
    double number = 0.0; // I4, U4 (exact) and FP (the float's value); the identifier of a Begin
    bool joined = false; // the next item belongs to the same write call
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
    int depth_ = 0;
    friend struct BlockAccess;
};

// Reads items in sequence. A read of another type or another count than the next write call stored,
// or past the end of the block, reads nothing. findBlk enters the next item when it is a nested
// block named in its list; endBlk leaves the block entered last, skipping what was not read.
class BlockReader {
public:
    explicit BlockReader(const Block &block);
    const LWLoadState *State() const { return &state_; }
    size_t Position() const { return position_; }

private:
    LWLoadState state_{};
    const Block &block_;
    size_t position_ = 0;
    int depth_ = 0;
    friend struct BlockAccess;
};

// The block as the lines of a scene file, each with the indent given, nested blocks two spaces
// further in: one line per write call ("I4 1 2", "Str \"x\""), "Block 0x47554944 \"token\"" and
// "EndBlock" around a nested block.
std::vector<std::string> FormatBlock(const Block &block, const std::string &indent);
// Appends the items of one such line; false with a message when the line is not one.
bool ParseBlockLine(const std::string &line, Block &block, std::string &error);
// False with a message when a nested block is left open or closed twice.
bool CheckBlockNesting(const Block &block, std::string &error);

// Text form of one item ("Str \"x\"", "I4 -1", "U4 7", "FP 0.5") and back.
std::string FormatBlockItem(const BlockItem &item);
bool ParseBlockItem(const std::string &line, BlockItem &item, std::string &error);

// Quoting used by the scene file for strings.
std::string QuoteText(const std::string &text);
// Reads a quoted text starting at text[pos]; pos moves past the closing quote.
bool UnquoteText(const std::string &text, size_t &pos, std::string &out);

} // namespace zkh

#endif

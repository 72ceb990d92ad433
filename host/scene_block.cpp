// scene_block.cpp: typed items of plug-in blocks and the host's load and save states.
#include "scene_block.h"

#include "unserved.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace zkh {

struct BlockAccess {
    static BlockWriter &Writer(void *data) { return *static_cast<BlockWriter *>(data); }
    static BlockReader &Reader(void *data) { return *static_cast<BlockReader *>(data); }

    // Appends one write call of count values made by make(i).
    template <class Make>
    static void AppendCall(void *data, int count, Make make)
    {
        Block &block = Writer(data).block_;
        for (int i = 0; i < count; ++i) {
            BlockItem item = make(i);
            item.joined = i + 1 < count;
            block.push_back(std::move(item));
        }
    }

    // The next write call when it has the type and count asked for; null (nothing consumed) else.
    static const BlockItem *NextCall(void *data, BlockItem::Type wanted, int count)
    {
        BlockReader &reader = Reader(data);
        const Block &block = reader.block_;
        size_t at = reader.position_;
        if (count <= 0 || at >= block.size())
            return nullptr;
        for (int i = 0; i < count; ++i, ++at) {
            const bool last = i + 1 == count;
            if (at >= block.size() || block[at].type != wanted || block[at].joined == last)
                return nullptr;
        }
        const BlockItem *first = &block[reader.position_];
        reader.position_ = at;
        return first;
    }

    static void Begin(void *data, const LWBlockIdent *id, int leaf)
    {
        BlockWriter &writer = Writer(data);
        BlockItem item;
        item.type = BlockItem::Type::Begin;
        item.text = id && id->token ? id->token : "";
        item.number = id ? static_cast<double>(id->id) : 0.0;
        (void)leaf; // a leaf block holds values only: the text form is the same
        writer.block_.push_back(std::move(item));
        ++writer.depth_;
    }

    static void EndWrite(void *data)
    {
        BlockWriter &writer = Writer(data);
        if (writer.depth_ == 0)
            return; // nothing open: Layout ignores it too
        BlockItem item;
        item.type = BlockItem::Type::End;
        writer.block_.push_back(std::move(item));
        --writer.depth_;
    }

    static int WriteDepth(void *data) { return Writer(data).depth_; }

    static LWID Find(void *data, const LWBlockIdent *list)
    {
        BlockReader &reader = Reader(data);
        if (!list || reader.position_ >= reader.block_.size())
            return 0;
        const BlockItem &item = reader.block_[reader.position_];
        if (item.type != BlockItem::Type::Begin)
            return 0;
        for (const LWBlockIdent *entry = list; entry->id != 0; ++entry)
            if (static_cast<double>(entry->id) == item.number) {
                ++reader.position_;
                ++reader.depth_;
                return entry->id;
            }
        return 0;
    }

    // Leaves the block entered last: what was not read of it, nested blocks included, is skipped.
    static void EndRead(void *data)
    {
        BlockReader &reader = Reader(data);
        if (reader.depth_ == 0)
            return;
        for (int open = 1; reader.position_ < reader.block_.size() && open > 0; ++reader.position_) {
            const BlockItem::Type type = reader.block_[reader.position_].type;
            open += type == BlockItem::Type::Begin ? 1 : type == BlockItem::Type::End ? -1 : 0;
        }
        --reader.depth_;
    }

    static int ReadDepth(void *data) { return Reader(data).depth_; }
};

namespace {

BlockItem Number(BlockItem::Type type, double value) { return {type, std::string(), value, false}; }

void WriteI4(void *data, const int *values, int count)
{
    BlockAccess::AppendCall(data, values ? count : 0, [&](int i) { return Number(BlockItem::Type::I4, values[i]); });
}

void WriteU4(void *data, const unsigned int *values, int count)
{
    BlockAccess::AppendCall(data, values ? count : 0, [&](int i) { return Number(BlockItem::Type::U4, values[i]); });
}

void WriteFP(void *data, const float *values, int count)
{
    BlockAccess::AppendCall(data, values ? count : 0, [&](int i) { return Number(BlockItem::Type::FP, values[i]); });
}

void WriteStr(void *data, const char *text)
{
    BlockAccess::AppendCall(data, 1, [&](int) { return BlockItem{BlockItem::Type::Str, text ? text : "", 0.0, false}; });
}

template <class T>
int ReadNumbers(void *data, BlockItem::Type type, T *values, int count)
{
    const BlockItem *items = values ? BlockAccess::NextCall(data, type, count) : nullptr;
    if (!items)
        return 0;
    for (int i = 0; i < count; ++i)
        values[i] = static_cast<T>(items[i].number); // stored within the type's range
    return count;
}

int ReadI4(void *data, int *values, int count) { return ReadNumbers(data, BlockItem::Type::I4, values, count); }
int ReadU4(void *data, unsigned int *values, int count) { return ReadNumbers(data, BlockItem::Type::U4, values, count); }
int ReadFP(void *data, float *values, int count) { return ReadNumbers(data, BlockItem::Type::FP, values, count); }

// Copies at most maxLength - 1 bytes and a terminating zero; -1 when the next line is no string.
int ReadStr(void *data, char *buffer, int maxLength)
{
    const BlockItem *item = BlockAccess::NextCall(data, BlockItem::Type::Str, 1);
    if (!item)
        return -1;
    if (maxLength <= 0 || !buffer)
        return 0;
    const size_t length = std::min(item->text.size(), static_cast<size_t>(maxLength - 1));
    std::memcpy(buffer, item->text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

} // namespace

BlockWriter::BlockWriter(Block &block) : block_(block)
{
    state_.ioMode = LWIO_SCENE;
    state_.writeData = this;
    state_.writeI4 = WriteI4;
    state_.writeU4 = WriteU4;
    state_.writeFP = WriteFP;
    state_.writeStr = WriteStr;
    state_.beginBlk = BlockAccess::Begin;
    state_.endBlk = BlockAccess::EndWrite;
    state_.depth = BlockAccess::WriteDepth;
    TrapUnserved(state_);
}

BlockReader::BlockReader(const Block &block) : block_(block)
{
    state_.ioMode = LWIO_SCENE;
    state_.readData = this;
    state_.readI4 = ReadI4;
    state_.readU4 = ReadU4;
    state_.readFP = ReadFP;
    state_.readStr = ReadStr;
    state_.findBlk = BlockAccess::Find;
    state_.endBlk = BlockAccess::EndRead;
    state_.depth = BlockAccess::ReadDepth;
    TrapUnserved(state_);
}

std::vector<std::string> FormatBlock(const Block &block, const std::string &indent)
{
    std::vector<std::string> lines;
    std::string prefix = indent;
    bool continuing = false;
    for (const BlockItem &item : block) {
        if (item.type == BlockItem::Type::Begin) {
            char id[16];
            std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned int>(item.number));
            lines.push_back(prefix + "Block " + id + " " + QuoteText(item.text));
            prefix += "  ";
            continuing = false;
            continue;
        }
        if (item.type == BlockItem::Type::End) {
            if (prefix.size() >= indent.size() + 2)
                prefix.resize(prefix.size() - 2);
            lines.push_back(prefix + "EndBlock");
            continuing = false;
            continue;
        }
        const std::string text = FormatBlockItem(item);
        if (continuing)
            lines.back() += text.substr(text.find(' ')); // the value after the type
        else
            lines.push_back(prefix + text);
        continuing = item.joined;
    }
    return lines;
}

bool ParseBlockLine(const std::string &line, Block &block, std::string &error)
{
    const size_t start = line.find_first_not_of(" \t");
    const size_t end = line.find_last_not_of(" \t\r");
    const std::string body = start == std::string::npos ? std::string() : line.substr(start, end + 1 - start);
    if (body == "EndBlock") {
        block.push_back({BlockItem::Type::End, std::string(), 0.0, false});
        return true;
    }
    if (body.compare(0, 6, "Block ") == 0) {
        size_t pos = 6;
        char *after = nullptr;
        const unsigned long long id = std::strtoull(body.c_str() + pos, &after, 16);
        pos = static_cast<size_t>(after - body.c_str());
        while (pos < body.size() && body[pos] == ' ')
            ++pos;
        BlockItem item{BlockItem::Type::Begin, std::string(), static_cast<double>(id), false};
        if (after == body.c_str() + 6 || id == 0 || id > UINT32_MAX || !UnquoteText(body, pos, item.text) ||
            pos != body.size()) {
            error = "expected Block, a nonzero identifier and a quoted token";
            return false;
        }
        block.push_back(std::move(item));
        return true;
    }
    // Numbers: one item per value, joined into one write call.
    const size_t space = body.find(' ');
    const std::string tag = body.substr(0, space);
    if ((tag == "I4" || tag == "U4" || tag == "FP") && space != std::string::npos) {
        std::istringstream values(body.substr(space + 1));
        const size_t first = block.size();
        for (std::string value; values >> value;) {
            BlockItem item;
            if (!ParseBlockItem(tag + " " + value, item, error)) {
                block.resize(first);
                return false;
            }
            if (block.size() > first)
                block.back().joined = true;
            block.push_back(item);
        }
        if (block.size() == first) {
            error = "expected a value after " + tag;
            return false;
        }
        return true;
    }
    BlockItem item;
    if (!ParseBlockItem(line, item, error))
        return false;
    block.push_back(std::move(item));
    return true;
}

bool CheckBlockNesting(const Block &block, std::string &error)
{
    int open = 0;
    for (const BlockItem &item : block) {
        open += item.type == BlockItem::Type::Begin ? 1 : item.type == BlockItem::Type::End ? -1 : 0;
        if (open < 0) {
            error = "EndBlock without its Block";
            return false;
        }
    }
    if (open > 0)
        error = "missing EndBlock";
    return open == 0;
}

std::string QuoteText(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool UnquoteText(const std::string &text, size_t &pos, std::string &out)
{
    if (pos >= text.size() || text[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= text.size())
            return false;
        const char e = text[pos];
        if (e == 'n') {
            out += '\n';
        } else if (e == 't') {
            out += '\t';
        } else if (e == 'x') {
            if (pos + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[pos + 1])) ||
                !std::isxdigit(static_cast<unsigned char>(text[pos + 2])))
                return false;
            out += static_cast<char>(std::strtol(text.substr(pos + 1, 2).c_str(), nullptr, 16));
            pos += 2;
        } else {
            out += e;
        }
    }
    return false;
}

std::string FormatBlockItem(const BlockItem &item)
{
    char number[64];
    switch (item.type) {
    case BlockItem::Type::Str: return "Str " + QuoteText(item.text);
    case BlockItem::Type::I4: std::snprintf(number, sizeof number, "I4 %lld", static_cast<long long>(item.number)); break;
    case BlockItem::Type::U4: std::snprintf(number, sizeof number, "U4 %llu", static_cast<unsigned long long>(item.number)); break;
    case BlockItem::Type::FP: std::snprintf(number, sizeof number, "FP %.9g", item.number); break;
    case BlockItem::Type::Begin:
    case BlockItem::Type::End: return std::string(); // lines of their own: see FormatBlock
    }
    return number;
}

bool ParseBlockItem(const std::string &line, BlockItem &item, std::string &error)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.size() < start + 3) {
        error = "expected a block item (Str, I4, U4 or FP)";
        return false;
    }
    const std::string tag = line.substr(start, 2) == "I4" || line.substr(start, 2) == "U4" || line.substr(start, 2) == "FP"
                                ? line.substr(start, 2)
                                : line.substr(start, 3);
    size_t pos = start + tag.size();
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (tag == "Str") {
        item.type = BlockItem::Type::Str;
        if (!UnquoteText(line, pos, item.text)) {
            error = "expected a quoted text after Str";
            return false;
        }
        if (line.find_first_not_of(" \t\r", pos) != std::string::npos) {
            error = "unexpected text after the quoted text";
            return false;
        }
        return true;
    }
    const char *begin = line.c_str() + pos;
    char *end = nullptr;
    if (tag == "I4" || tag == "U4") {
        const long long value = std::strtoll(begin, &end, 10);
        const bool inRange = tag == "I4" ? value >= INT32_MIN && value <= INT32_MAX : value >= 0 && value <= UINT32_MAX;
        if (end == begin || !inRange || std::string(end).find_first_not_of(" \t\r") != std::string::npos) {
            error = "expected a 32-bit integer after " + tag;
            return false;
        }
        item.type = tag == "I4" ? BlockItem::Type::I4 : BlockItem::Type::U4;
        item.number = static_cast<double>(value);
        return true;
    }
    if (tag == "FP") {
        const double value = std::strtod(begin, &end);
        if (end == begin || !std::isfinite(value) || std::string(end).find_first_not_of(" \t\r") != std::string::npos) {
            error = "expected a number after FP";
            return false;
        }
        // A value past the float range would be stored as an infinity that no FP line can hold.
        const float narrowed = static_cast<float>(value);
        if (!std::isfinite(narrowed)) {
            error = "FP value out of the float range";
            return false;
        }
        item.type = BlockItem::Type::FP;
        item.number = static_cast<double>(narrowed);
        return true;
    }
    const std::string word = line.substr(start, line.find_first_of(" \t\r", start) - start);
    if (word == "Plugin")
        error = "a Plugin record inside another one (EndPlugin missing before it)";
    else
        error = "unknown block item '" + word + "' (expected Str, I4, U4 or FP)";
    return false;
}

} // namespace zkh

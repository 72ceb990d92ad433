// scene_block.cpp: typed items of plug-in blocks and the host's load and save states.
#include "scene_block.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zkh {

struct BlockAccess {
    static void Append(void *data, BlockItem item) { static_cast<BlockWriter *>(data)->block_.push_back(std::move(item)); }

    static const BlockItem *Next(void *data, BlockItem::Type wanted, bool numeric)
    {
        auto *reader = static_cast<BlockReader *>(data);
        if (reader->position_ >= reader->block_.size())
            return nullptr;
        const BlockItem &item = reader->block_[reader->position_];
        const bool isNumber = item.type != BlockItem::Type::Str;
        if (numeric ? !isNumber : item.type != wanted)
            return nullptr;
        ++reader->position_;
        return &item;
    }
};

namespace {

// A number item read as an integer: FP items may hold any float, so the value is kept within
// the range of long long (NaN reads as 0) before it is narrowed like a C cast would.
long long WholeNumber(double number)
{
    if (std::isnan(number))
        return 0;
    return static_cast<long long>(std::clamp(number, -9.0e18, 9.0e18));
}

void WriteI4(void *data, const int *values, int count)
{
    for (int i = 0; i < count; ++i)
        BlockAccess::Append(data, {BlockItem::Type::I4, std::string(), static_cast<double>(values[i])});
}

void WriteU4(void *data, const unsigned int *values, int count)
{
    for (int i = 0; i < count; ++i)
        BlockAccess::Append(data, {BlockItem::Type::U4, std::string(), static_cast<double>(values[i])});
}

void WriteFP(void *data, const float *values, int count)
{
    for (int i = 0; i < count; ++i)
        BlockAccess::Append(data, {BlockItem::Type::FP, std::string(), static_cast<double>(values[i])});
}

void WriteStr(void *data, const char *text) { BlockAccess::Append(data, {BlockItem::Type::Str, text ? text : "", 0.0}); }

int ReadI4(void *data, int *values, int count)
{
    int read = 0;
    for (; read < count; ++read) {
        const BlockItem *item = BlockAccess::Next(data, BlockItem::Type::I4, true);
        if (!item)
            break;
        values[read] = static_cast<int>(WholeNumber(item->number));
    }
    return read;
}

int ReadU4(void *data, unsigned int *values, int count)
{
    int read = 0;
    for (; read < count; ++read) {
        const BlockItem *item = BlockAccess::Next(data, BlockItem::Type::U4, true);
        if (!item)
            break;
        values[read] = static_cast<unsigned int>(WholeNumber(item->number));
    }
    return read;
}

int ReadFP(void *data, float *values, int count)
{
    int read = 0;
    for (; read < count; ++read) {
        const BlockItem *item = BlockAccess::Next(data, BlockItem::Type::FP, true);
        if (!item)
            break;
        values[read] = static_cast<float>(item->number);
    }
    return read;
}

// Copies at most maxLength - 1 bytes and a terminating zero; -1 when there is no string item.
int ReadStr(void *data, char *buffer, int maxLength)
{
    const BlockItem *item = BlockAccess::Next(data, BlockItem::Type::Str, false);
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
}

BlockReader::BlockReader(const Block &block) : block_(block)
{
    state_.ioMode = LWIO_SCENE;
    state_.readData = this;
    state_.readI4 = ReadI4;
    state_.readU4 = ReadU4;
    state_.readFP = ReadFP;
    state_.readStr = ReadStr;
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

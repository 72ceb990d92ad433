// plugin_data.cpp: the load and save states of text scene files.
#include "plugin_data.h"

#include "numbers.h"
#include "text_lines.h"

#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace zkh::lwsc {

bool OpensBlock(std::string_view line)
{
    const std::string_view text = Trimmed(line);
    return text == "{" || (text.size() >= 2 && text[0] == '{' && text[1] == ' ');
}

bool ClosesBlock(std::string_view line) { return Trimmed(line) == "}"; }

std::string_view BlockToken(std::string_view line) { return Trimmed(Trimmed(line).substr(1)); }

struct PluginDataAccess {
    static PluginDataWriter &Writer(void *data) { return *static_cast<PluginDataWriter *>(data); }
    static PluginDataReader &Reader(void *data) { return *static_cast<PluginDataReader *>(data); }

    // ---- save

    template <class T, class Format>
    static void WriteValues(void *data, const T *values, int count, Format format)
    {
        if (!values || count <= 0)
            return;
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                text += ' ';
            text += format(values[i]);
        }
        Writer(data).Add(std::move(text));
    }

    static std::string Hex(unsigned long long value, int width)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%0*llx", width, value);
        return text;
    }

    static void Write(void *data, const char *bytes, int count)
    {
        if (!bytes)
            return;
        const size_t length = count >= 0 ? static_cast<size_t>(count) : std::strlen(bytes);
        Writer(data).Add(std::string(bytes, length));
    }
    static void WriteI1(void *data, const char *values, int count)
    {
        WriteValues(data, values, count, [](char v) { return std::to_string(static_cast<int>(v)); });
    }
    static void WriteI2(void *data, const short *values, int count)
    {
        WriteValues(data, values, count, [](short v) { return std::to_string(v); });
    }
    static void WriteI4(void *data, const int *values, int count)
    {
        WriteValues(data, values, count, [](int v) { return std::to_string(v); });
    }
    static void WriteU1(void *data, const unsigned char *values, int count)
    {
        WriteValues(data, values, count, [](unsigned char v) { return Hex(v, 2); });
    }
    static void WriteU2(void *data, const unsigned short *values, int count)
    {
        WriteValues(data, values, count, [](unsigned short v) { return Hex(v, 1); });
    }
    static void WriteU4(void *data, const unsigned int *values, int count)
    {
        WriteValues(data, values, count, [](unsigned int v) { return Hex(v, 1); });
    }
    static void WriteFP(void *data, const float *values, int count)
    {
        WriteValues(data, values, count, [](float v) { return FormatFloat(v); });
    }
    static void WriteDP(void *data, const double *values, int count)
    {
        WriteValues(data, values, count, [](double v) { return FormatDouble(v); });
    }
    // Layout quotes a string as it stands: a quote or a line break inside it breaks the line.
    static void WriteStr(void *data, const char *text)
    {
        Writer(data).Add("\"" + std::string(text ? text : "") + "\"");
    }
    static void WriteID(void *data, const LWBlockIdent *id)
    {
        Writer(data).Add(id && id->token ? id->token : "");
    }
    static void BeginBlock(void *data, const LWBlockIdent *id, int leaf)
    {
        PluginDataWriter &writer = Writer(data);
        const std::string token = id && id->token ? id->token : "";
        if (writer.leafOpen_)
            writer.leafOpen_ = false; // a block inside a leaf block starts on a line of its own
        if (leaf) {
            writer.lines_.push_back(writer.Indent() + token);
            writer.leafOpen_ = true;
            return;
        }
        writer.lines_.push_back(writer.Indent() + "{ " + token);
        ++writer.depth_;
    }
    static void EndBlock(void *data)
    {
        PluginDataWriter &writer = Writer(data);
        if (writer.leafOpen_) {
            writer.leafOpen_ = false;
            return;
        }
        if (writer.depth_ == 0)
            return; // nothing open: Layout ignores it too
        --writer.depth_;
        writer.lines_.push_back(writer.Indent() + "}");
    }
    static int WriteDepth(void *data)
    {
        const PluginDataWriter &writer = Writer(data);
        return writer.depth_ + (writer.leafOpen_ ? 1 : 0);
    }

    // ---- load

    // The next line a read may take: none at the end of the data, at a block's "{" or "}" line, or
    // (inside a leaf block) ever, since a leaf block's values are on its own line.
    static bool NextLine(PluginDataReader &reader, std::string_view &line)
    {
        if (reader.position_ >= reader.lines_.size())
            return false;
        line = reader.lines_[reader.position_];
        return !OpensBlock(line) && !ClosesBlock(line);
    }

    // The words a numeric read parses: the leaf block's remaining values, or the next line's words
    // (the line is taken).
    static bool TakeWords(void *data, std::vector<std::string_view> &words)
    {
        PluginDataReader &reader = Reader(data);
        if (reader.inLeaf_) {
            words = reader.leafWords_;
            return true;
        }
        std::string_view line;
        if (!NextLine(reader, line))
            return false;
        ++reader.position_;
        words = Words(line);
        return true;
    }

    // Marks the first `used` words of a leaf block's values as read.
    static void UseLeafWords(void *data, size_t used)
    {
        PluginDataReader &reader = Reader(data);
        if (reader.inLeaf_)
            reader.leafWords_.erase(reader.leafWords_.begin(),
                                    reader.leafWords_.begin() + static_cast<std::ptrdiff_t>(used));
    }

    template <class T, class Parse>
    static int ReadValues(void *data, T *values, int count, Parse parse)
    {
        std::vector<std::string_view> words;
        if (!values || count <= 0 || !TakeWords(data, words))
            return 0;
        int read = 0;
        while (read < count && static_cast<size_t>(read) < words.size() && parse(words[read], values[read]))
            ++read;
        UseLeafWords(data, static_cast<size_t>(read));
        return read;
    }

    template <class T>
    static bool SignedValue(std::string_view word, T &out)
    {
        long long value = 0;
        if (!ParseInteger(word, value) || value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
            return false;
        out = static_cast<T>(value);
        return true;
    }
    template <class T>
    static bool HexValue(std::string_view word, T &out)
    {
        std::uint64_t value = 0;
        if (!ParseHex(word, value) || value > std::numeric_limits<T>::max())
            return false;
        out = static_cast<T>(value);
        return true;
    }
    // A float as a C runtime reads one: rounded to the nearest float, an infinity beyond the range.
    static bool FloatValue(std::string_view word, float &out)
    {
        double check = 0;
        if (!ParseNumber(word, check))
            return false;
        const char *first = word.data() + (word.front() == '+' ? 1 : 0);
        const auto result = std::from_chars(first, word.data() + word.size(), out, std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range)
            out = std::fabs(check) < 1.0 ? 0.0f : static_cast<float>(check > 0 ? HUGE_VAL : -HUGE_VAL);
        return true;
    }
    static bool DoubleValue(std::string_view word, double &out) { return ParseNumber(word, out); }

    static int Read(void *data, char *bytes, int count)
    {
        PluginDataReader &reader = Reader(data);
        std::string_view line;
        if (reader.inLeaf_ || !NextLine(reader, line))
            return -1;
        ++reader.position_;
        const std::string_view text = line.substr(IndentOf(line));
        if (!bytes || count <= 0)
            return 0;
        const size_t length = std::min(text.size(), static_cast<size_t>(count));
        std::memcpy(bytes, text.data(), length);
        return static_cast<int>(length);
    }
    static int ReadI1(void *data, char *values, int count) { return ReadValues(data, values, count, SignedValue<char>); }
    static int ReadI2(void *data, short *values, int count) { return ReadValues(data, values, count, SignedValue<short>); }
    static int ReadI4(void *data, int *values, int count) { return ReadValues(data, values, count, SignedValue<int>); }
    static int ReadU1(void *data, unsigned char *values, int count)
    {
        return ReadValues(data, values, count, HexValue<unsigned char>);
    }
    static int ReadU2(void *data, unsigned short *values, int count)
    {
        return ReadValues(data, values, count, HexValue<unsigned short>);
    }
    static int ReadU4(void *data, unsigned int *values, int count)
    {
        return ReadValues(data, values, count, HexValue<unsigned int>);
    }
    static int ReadFP(void *data, float *values, int count) { return ReadValues(data, values, count, FloatValue); }
    static int ReadDP(void *data, double *values, int count) { return ReadValues(data, values, count, DoubleValue); }

    // The text of a quoted line without its quotes (a line without a closing quote runs to its
    // end; an unquoted line is taken as it stands); at most maxLength - 1 bytes are copied. The
    // text's length, or -1 when no line is left.
    static int ReadStr(void *data, char *buffer, int maxLength)
    {
        PluginDataReader &reader = Reader(data);
        std::string_view text;
        if (reader.inLeaf_) {
            if (reader.leafWords_.empty())
                return -1;
            text = reader.leafWords_.front();
            reader.leafWords_.erase(reader.leafWords_.begin());
        } else {
            std::string_view line;
            if (!NextLine(reader, line))
                return -1;
            ++reader.position_;
            text = line.substr(IndentOf(line));
        }
        if (!text.empty() && text.front() == '"') {
            text.remove_prefix(1);
            const size_t close = text.rfind('"');
            if (close != std::string_view::npos)
                text = text.substr(0, close);
        }
        if (!buffer || maxLength <= 0)
            return static_cast<int>(text.size());
        const size_t length = std::min(text.size(), static_cast<size_t>(maxLength - 1));
        std::memcpy(buffer, text.data(), length);
        buffer[length] = '\0';
        return static_cast<int>(length);
    }

    static const LWBlockIdent *Named(const LWBlockIdent *list, std::string_view token)
    {
        for (const LWBlockIdent *entry = list; entry && entry->id != 0; ++entry)
            if (entry->token && token == entry->token)
                return entry;
        return nullptr;
    }

    static LWID ReadID(void *data, const LWBlockIdent *list)
    {
        PluginDataReader &reader = Reader(data);
        std::string_view line;
        if (reader.inLeaf_ || !NextLine(reader, line))
            return 0;
        const LWBlockIdent *entry = Named(list, Trimmed(line));
        if (!entry)
            return 0;
        ++reader.position_;
        return entry->id;
    }

    // Enters the next block when its token is in the list: a "{ Token" line, or a leaf block's line
    // "Token values...". 0, and nothing taken, otherwise.
    static LWID FindBlock(void *data, const LWBlockIdent *list)
    {
        PluginDataReader &reader = Reader(data);
        if (reader.inLeaf_ || reader.position_ >= reader.lines_.size())
            return 0;
        const std::string_view line = reader.lines_[reader.position_];
        if (ClosesBlock(line))
            return 0;
        if (OpensBlock(line)) {
            const LWBlockIdent *entry = Named(list, BlockToken(line));
            if (!entry)
                return 0;
            ++reader.position_;
            ++reader.depth_;
            return entry->id;
        }
        const LWBlockIdent *entry = Named(list, FirstWord(line));
        if (!entry)
            return 0;
        ++reader.position_;
        reader.inLeaf_ = true;
        reader.leafWords_ = Words(line);
        reader.leafWords_.erase(reader.leafWords_.begin());
        return entry->id;
    }

    // Leaves the block entered last; what was not read of it, nested blocks included, is skipped.
    static void EndRead(void *data)
    {
        PluginDataReader &reader = Reader(data);
        if (reader.inLeaf_) {
            reader.inLeaf_ = false;
            reader.leafWords_.clear();
            return;
        }
        if (reader.depth_ == 0)
            return;
        for (int open = 1; reader.position_ < reader.lines_.size() && open > 0; ++reader.position_) {
            const std::string_view line = reader.lines_[reader.position_];
            open += OpensBlock(line) ? 1 : ClosesBlock(line) ? -1 : 0;
        }
        --reader.depth_;
    }

    static int ReadDepth(void *data)
    {
        const PluginDataReader &reader = Reader(data);
        return reader.depth_ + (reader.inLeaf_ ? 1 : 0);
    }
};

PluginDataWriter::PluginDataWriter(std::string indent) : base_(std::move(indent))
{
    state_.ioMode = LWIO_ASCII;
    state_.writeData = this;
    state_.write = PluginDataAccess::Write;
    state_.writeI1 = PluginDataAccess::WriteI1;
    state_.writeI2 = PluginDataAccess::WriteI2;
    state_.writeI4 = PluginDataAccess::WriteI4;
    state_.writeU1 = PluginDataAccess::WriteU1;
    state_.writeU2 = PluginDataAccess::WriteU2;
    state_.writeU4 = PluginDataAccess::WriteU4;
    state_.writeFP = PluginDataAccess::WriteFP;
    state_.writeStr = PluginDataAccess::WriteStr;
    state_.writeID = PluginDataAccess::WriteID;
    state_.beginBlk = PluginDataAccess::BeginBlock;
    state_.endBlk = PluginDataAccess::EndBlock;
    state_.depth = PluginDataAccess::WriteDepth;
    state_.writeDP = PluginDataAccess::WriteDP;
}

std::string PluginDataWriter::Indent() const { return base_ + std::string(2 * static_cast<size_t>(depth_), ' '); }

void PluginDataWriter::Add(std::string values)
{
    if (leafOpen_) {
        lines_.back() += ' ';
        lines_.back() += values;
        return;
    }
    lines_.push_back(Indent() + values);
}

std::vector<std::string> PluginDataWriter::Finish()
{
    leafOpen_ = false;
    while (depth_ > 0) {
        --depth_;
        lines_.push_back(Indent() + "}");
    }
    return std::move(lines_);
}

PluginDataReader::PluginDataReader(std::vector<std::string_view> lines) : lines_(std::move(lines))
{
    state_.ioMode = LWIO_ASCII;
    state_.readData = this;
    state_.read = PluginDataAccess::Read;
    state_.readI1 = PluginDataAccess::ReadI1;
    state_.readI2 = PluginDataAccess::ReadI2;
    state_.readI4 = PluginDataAccess::ReadI4;
    state_.readU1 = PluginDataAccess::ReadU1;
    state_.readU2 = PluginDataAccess::ReadU2;
    state_.readU4 = PluginDataAccess::ReadU4;
    state_.readFP = PluginDataAccess::ReadFP;
    state_.readStr = PluginDataAccess::ReadStr;
    state_.readID = PluginDataAccess::ReadID;
    state_.findBlk = PluginDataAccess::FindBlock;
    state_.endBlk = PluginDataAccess::EndRead;
    state_.depth = PluginDataAccess::ReadDepth;
    state_.readDP = PluginDataAccess::ReadDP;
}

} // namespace zkh::lwsc

// document.h: a Layout scene file (LWSC, versions 3 and later) as its lines, with what the host
// interprets found in them.
//
// The file is kept as the lines it was read as; the parts the host needs (scene ranges, items and
// their channels, cameras, plug-in blocks, expressions) are found by their line numbers, so that a
// writer can replace exactly the lines of what changed and copy every other line as it was.
#ifndef ZKH_LWSC_DOCUMENT_H
#define ZKH_LWSC_DOCUMENT_H

#include "envelope.h"
#include "numbers.h"
#include "text_lines.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zkh::lwsc {

constexpr size_t kNoLine = static_cast<size_t>(-1);

enum class DeclKind { Object, Null, Light, Camera, Bone };

// What a reader should know about a line of the file but did not stop for (line 0-based).
struct Warning {
    size_t line;
    std::string text;

    // As the scene report and the host's messages quote it: "line 12: the envelope says 0 keys
    // and holds 1".
    std::string Quoted() const;
};
using Warnings = std::vector<Warning>;

// A nested handler block inside an envelope: "{ ChannelHandler", the quoted server name, its data, "}".
struct HandlerBlock {
    size_t open = kNoLine;  // the "{ ChannelHandler" line
    size_t close = kNoLine; // its "}"
    std::string className;  // the block's token
    std::string server;     // from the quoted line after the opener; empty when there is none
};

// An "{ Envelope" block.
struct EnvelopeBlock {
    size_t open = kNoLine;  // the "{ Envelope" line
    size_t close = kNoLine; // its "}"
    size_t countLine = kNoLine;
    std::vector<size_t> keyLines;    // the Key lines that were read into keys
    size_t behaviorsLine = kNoLine;
    std::vector<HandlerBlock> handlers;
    Envelope envelope;
    long long declaredCount = 0;     // the count line's number (real files may hold another number of keys)
};

// A "Channel n" line and its envelope.
struct ChannelSlot {
    int number = 0;
    size_t line = kNoLine;
    EnvelopeBlock envelope;
};

// A "Plugin Class n Server" ... "EndPlugin" unit (or "AnimationSaver Server" ... "EndPlugin").
struct PluginBlock {
    size_t first = kNoLine; // the Plugin line
    size_t end = kNoLine;   // the EndPlugin line
    size_t enabledLine = kNoLine; // "PluginEnabled 0" after it, when there is one
    std::string className;
    int index = 0;
    std::string server;
    bool enabled = true;
    long owner = -1;        // the item (index into items) or -1 for the scene
};

// One item declaration and the lines that follow it, up to the next item or scene section.
struct ItemDecl {
    DeclKind kind = DeclKind::Object;
    size_t first = kNoLine; // the declaration line
    size_t end = kNoLine;   // one past its last line
    std::uint32_t id = 0;   // written on the declaration (v4 and later) or by position (v3)
    bool idWritten = false;
    std::string name;       // nulls: the rest of the declaration; lights, cameras, bones: their Name line; objects: from the file
    std::string file;       // objects loaded from a file
    int layer = 1;
    long owner = -1;        // bones: their object (index into items)
    size_t nameLine = kNoLine;   // LightName / CameraName / BoneName
    size_t parentLine = kNoLine; // ParentItem
    std::uint32_t parentId = 0;
    size_t motionLine = kNoLine; // ObjectMotion / LightMotion / CameraMotion / BoneMotion
    std::vector<ChannelSlot> channels;
    // Keyword lines of the item in order (keywords are views into the document's bytes), with the
    // envelope that follows a "(envelope)" value.
    std::vector<std::pair<std::string_view, size_t>> keywords;
    std::map<std::string, EnvelopeBlock> keywordEnvelopes;

    // The first line of a keyword; kNoLine when the item has none.
    size_t KeywordLine(std::string_view keyword) const
    {
        for (const auto &[word, line] : keywords)
            if (word == keyword)
                return line;
        return kNoLine;
    }
};

// Where a channel handler block stands: the item's channel slot and the handler in its envelope,
// or the envelope of a morph mixer's form (rewritten with the mixer's block).
struct HandlerPlace {
    size_t item = kNoLine; // index into the document's items
    size_t slot = 0;       // index into the item's channels
    size_t handler = 0;    // index into the envelope's handlers
    bool morph = false;    // in a morph mixer's form (item, slot and handler unused)
};

// A Graph Editor expression of the "{ GE_Expression_Lib" block.
struct ExpressionLine {
    size_t line = kNoLine;
    std::string name;
    std::string text;
    // The channels it is attached to: the item and the channel's name relative to it, from the
    // lines that follow it.
    std::vector<std::pair<std::uint32_t, std::string>> channels;
    size_t lastLine = kNoLine; // its last attachment line (or the Expression line)
};

// A document's parts point into its lines: it is made in place by ParseDocument and not copied.
class Document {
public:
    Document() = default;
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    int version = 5;
    TextLines lines;
    std::string lineEnd = "\n";

    std::vector<ItemDecl> items;
    std::vector<PluginBlock> plugins;
    // Top-level keyword lines outside items (the first of each keyword).
    std::map<std::string, size_t> sceneKeywords;
    // The "{ GE_Expression_Lib" block and its expressions.
    size_t expressionLibOpen = kNoLine, expressionLibClose = kNoLine;
    std::vector<ExpressionLine> expressions;

    // Every envelope block and Key line of the file (plug-in data included), and the envelopes
    // inside plug-in data alone.
    size_t envelopeCount = 0, keyCount = 0;
    size_t pluginEnvelopeCount = 0;
    // What a reader should know but did not stop for, each on its line.
    Warnings warnings;

    // The text of a line; "" past the end.
    std::string_view Text(size_t line) const { return line < lines.size() ? lines.Text(line) : std::string_view(); }
    // The value of a top-level keyword ("FirstFrame 1" -> "1"); "" when absent.
    std::string_view SceneValue(const std::string &keyword) const;
    // The lines between a plug-in's Plugin and EndPlugin lines.
    std::vector<std::string_view> PluginData(const PluginBlock &plugin) const;
    // The data lines of a handler block inside an envelope (after its server line, before its "}").
    std::vector<std::string_view> HandlerData(const HandlerBlock &handler) const;
};

// A file that could not be read: the 1-based line and the reason.
struct ParseError {
    size_t line = 0;
    std::string reason;
};

// Reads a scene file's bytes into an empty document; false with the place and reason when it is not
// a scene file this host can read (versions 1 and 2, a block or a plug-in left open, no header).
bool ParseDocument(std::string_view bytes, Document &document, ParseError &error);

// How the file writes the numbers of its keys (their precision and exponents), for keys a writer
// changes.
NumberStyle DetectNumberStyle(const Document &document);

// Reads an "{ Envelope" block whose opener is at `open`; the block's end is found by its braces.
// False when the block is not closed.
bool ParseEnvelopeBlock(const TextLines &lines, size_t open, size_t limit, EnvelopeBlock &block,
                        Warnings &warnings);

// The line of the "}" closing the block opened at `open` (brace matching by lines, at most up to
// limit); kNoLine when none.
size_t BlockClose(const TextLines &lines, size_t open, size_t limit);

// The item kind nibble of a hex identifier's top four bits: 1 object, 2 light, 3 camera, 4 bone.
std::uint32_t PositionalId(DeclKind kind, std::uint32_t index, std::uint32_t objectIndex);

// Unquotes a quoted word ("\"m02\"" -> "m02"); the text as it stands when it is not quoted.
std::string Unquoted(std::string_view text);

} // namespace zkh::lwsc

#endif

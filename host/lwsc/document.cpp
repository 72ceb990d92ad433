// document.cpp: reading a scene file's structure.
#include "document.h"

#include "plugin_data.h"

#include <algorithm>
#include <set>

namespace zkh::lwsc {

namespace {

// Keywords that start a scene section after the items: a line with one of them ends the item
// before it. (Items are also ended by the next declaration.)
const std::set<std::string_view> kSectionKeywords = {
    "AmbientColor", "AmbIntensity", "AmbientIntensity", "GlobalLightIntensity", "EnableRadiosity",
    "RadiosityType", "GlobalFrameSize", "GlobalMultiplier", "GlobalResolutionMultiplier", "Antialiasing",
    "AntiAliasingLevel", "EnhancedAA", "SolidBackdrop", "BGImage", "BackdropColor", "FogType", "RenderMode",
    "ViewConfiguration", "DefineView", "GridNumber", "GridSize", "CurrentObject", "CurrentLight",
    "CurrentCamera", "GraphEditorData", "GraphEditorFavorites", "ImageEditorData", "GlobalMipmapMultiplier",
    "GlobalEdgeMultiplier", "ExternalRenderer"};

// Plug-in classes that belong to an object even when they follow its bones.
const std::set<std::string_view> kObjectClasses = {
    "DisplacementHandler", "CustomObjHandler", "ObjReplacementHandler", "MeshDeformerHandler",
    "MeshModifierHandler", "PrimitiveHandler", "InstancerHandler"};

bool IsDeclaration(std::string_view word)
{
    return word == "LoadObjectLayer" || word == "LoadObject" || word == "AddNullObject" || word == "AddLight" ||
           word == "AddCamera" || word == "AddBone";
}


// The base name of an object file without folders and extension, as Layout names the object.
std::string ObjectNameOf(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\:");
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        base = base.substr(0, dot);
    return std::string(base);
}

bool ParseKey(std::string_view line, EnvelopeKey &key)
{
    std::string_view word;
    if (!NextWord(line, word) || word != "Key")
        return false;
    double numbers[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    size_t count = 0;
    while (count < 9 && NextWord(line, word))
        if (!ParseNumber(word, numbers[count++]))
            return false;
    if (count < 3)
        return false;
    key.value = numbers[0];
    key.time = numbers[1];
    if (!(numbers[2] >= 0 && numbers[2] <= 1e6))
        return false;
    key.shape = static_cast<int>(numbers[2]);
    for (int i = 0; i < 6; ++i)
        key.p[i] = numbers[3 + i];
    return true;
}

// The item a plug-in of this class belongs to when it stands in item `current`.
long PluginOwner(const std::vector<ItemDecl> &items, long current, std::string_view className)
{
    if (current < 0)
        return -1;
    const ItemDecl &item = items[static_cast<size_t>(current)];
    if (item.kind == DeclKind::Bone && kObjectClasses.count(className) && item.owner >= 0)
        return item.owner;
    return current;
}

class Parser {
public:
    Parser(Document &document, ParseError &error) : doc_(document), error_(error) {}

    bool Run(std::string_view bytes);

private:
    bool Fail(size_t line, std::string reason)
    {
        error_.line = line + 1;
        error_.reason = std::move(reason);
        return false;
    }
    bool Header();
    bool Plugin(size_t &i, std::string_view word);
    bool Block(size_t &i, std::string_view previousKeyword);
    void Declaration(size_t i, std::string_view word);
    void EndItem(size_t i);
    void Keyword(size_t i, std::string_view word);
    void ExpressionLibrary(size_t open, size_t close);
    void ResolveParents();

    ItemDecl *Current() { return current_ >= 0 ? &doc_.items[static_cast<size_t>(current_)] : nullptr; }

    Document &doc_;
    ParseError &error_;
    long current_ = -1;             // the item whose lines are being read
    long lastObject_ = -1;          // the object bones belong to
    std::uint32_t objects_ = 0, lights_ = 0, cameras_ = 0;
    std::map<long, std::uint32_t> bonesOf_;
    int lastChannel_ = -1;          // "Channel n" awaiting its envelope
    size_t lastChannelLine_ = kNoLine;
    std::string_view lastKeyword_;  // the keyword line before a top-level block
    size_t lastKeywordLine_ = kNoLine;
};

bool Parser::Header()
{
    if (doc_.lines.empty() || Trimmed(doc_.lines.Text(0)) != "LWSC")
        return Fail(0, "not a LightWave scene file (the first line is not \"LWSC\")");
    long long version = 0;
    if (doc_.lines.size() < 2 || !ParseInteger(Trimmed(doc_.lines.Text(1)), version) || version < 1)
        return Fail(1, "expected the scene format version (a whole number above 0)");
    if (version < 3)
        return Fail(1, "this is a LightWave 5 scene (format version " + std::to_string(version) +
                           "), which this host cannot read: open it in Layout 6 or later and save it again");
    if (version > 1000000)
        return Fail(1, "format version " + std::to_string(version) + " is not one Layout writes");
    doc_.version = static_cast<int>(version);
    return true;
}

void Parser::EndItem(size_t i)
{
    if (ItemDecl *item = Current())
        item->end = i;
    current_ = -1;
}

void Parser::Declaration(size_t i, std::string_view word)
{
    EndItem(i);
    ItemDecl item;
    item.first = i;
    std::string_view rest = AfterFirstWord(doc_.Text(i));
    const bool ids = doc_.version >= 4;
    std::uint64_t id = 0;
    // The identifier of v4 and later, when the next word is one.
    auto takeId = [&]() {
        const std::string_view idWord = FirstWord(rest);
        if (ids && ParseHex(idWord, id) && id <= 0xFFFFFFFFu) {
            item.id = static_cast<std::uint32_t>(id);
            item.idWritten = true;
            rest = AfterFirstWord(rest);
        }
    };
    if (word == "LoadObjectLayer" || word == "LoadObject") {
        item.kind = DeclKind::Object;
        if (word == "LoadObjectLayer") {
            long long layer = 1;
            if (ParseInteger(FirstWord(rest), layer) && layer >= 0 && layer < 1000000) {
                item.layer = static_cast<int>(layer);
                rest = AfterFirstWord(rest);
            }
        }
        takeId();
        item.file = std::string(rest);
        item.name = ObjectNameOf(rest);
        if (item.layer > 1)
            item.name += ":Layer" + std::to_string(item.layer);
    } else if (word == "AddNullObject") {
        item.kind = DeclKind::Null;
        takeId();
        item.name = std::string(rest);
    } else if (word == "AddLight") {
        item.kind = DeclKind::Light;
        takeId();
    } else if (word == "AddCamera") {
        item.kind = DeclKind::Camera;
        takeId();
    } else {
        item.kind = DeclKind::Bone;
        takeId();
        item.owner = lastObject_;
    }
    if (!item.idWritten) {
        switch (item.kind) {
        case DeclKind::Object:
        case DeclKind::Null: item.id = PositionalId(item.kind, objects_, 0); break;
        case DeclKind::Light: item.id = PositionalId(item.kind, lights_, 0); break;
        case DeclKind::Camera: item.id = PositionalId(item.kind, cameras_, 0); break;
        case DeclKind::Bone:
            item.id = PositionalId(item.kind, bonesOf_[item.owner],
                                   item.owner >= 0 ? doc_.items[static_cast<size_t>(item.owner)].id & 0xFFFFu : 0);
            break;
        }
    }
    switch (item.kind) {
    case DeclKind::Object:
    case DeclKind::Null: ++objects_; break;
    case DeclKind::Light: ++lights_; break;
    case DeclKind::Camera: ++cameras_; break;
    case DeclKind::Bone: ++bonesOf_[item.owner]; break;
    }
    doc_.items.push_back(std::move(item));
    current_ = static_cast<long>(doc_.items.size() - 1);
    if (doc_.items.back().kind == DeclKind::Object || doc_.items.back().kind == DeclKind::Null)
        lastObject_ = current_;
}

void Parser::Keyword(size_t i, std::string_view word)
{
    lastKeyword_ = word;
    lastKeywordLine_ = i;
    ItemDecl *item = Current();
    if (!item) {
        doc_.sceneKeywords.emplace(std::string(word), i);
        return;
    }
    item->keywords.emplace_back(word, i);
    const std::string_view value = AfterFirstWord(doc_.Text(i));
    if ((word == "LightName" && item->kind == DeclKind::Light) ||
        (word == "CameraName" && item->kind == DeclKind::Camera) ||
        (word == "BoneName" && item->kind == DeclKind::Bone)) {
        item->name = std::string(value);
        item->nameLine = i;
    } else if (word == "ParentItem") {
        std::uint64_t parent = 0;
        if (ParseHex(Trimmed(value), parent) && parent <= 0xFFFFFFFFu) {
            item->parentId = static_cast<std::uint32_t>(parent);
            item->parentLine = i;
        } else {
            doc_.warnings.push_back({i, "ParentItem is not a hexadecimal item identifier"});
        }
    } else if (word == "ObjectMotion" || word == "LightMotion" || word == "CameraMotion" || word == "BoneMotion") {
        item->motionLine = i;
    } else if (word == "Channel") {
        long long number = 0;
        if (ParseInteger(Trimmed(value), number) && number >= 0 && number < 1000) {
            lastChannel_ = static_cast<int>(number);
            lastChannelLine_ = i;
        }
    }
}

bool Parser::Plugin(size_t &i, std::string_view word)
{
    PluginBlock plugin;
    plugin.first = i;
    const std::vector<std::string_view> words = Words(doc_.Text(i));
    if (word == "Plugin") {
        if (words.size() < 4)
            return Fail(i, "a Plugin line names its class, its position and its server");
        long long index = 0;
        if (!ParseInteger(words[2], index) || index < 0 || index > 1000000)
            return Fail(i, "a Plugin line's position is a whole number");
        plugin.className = std::string(words[1]);
        plugin.index = static_cast<int>(index);
        // The server's name is the rest of the line and may hold spaces.
        std::string_view rest = AfterFirstWord(AfterFirstWord(AfterFirstWord(doc_.Text(i))));
        plugin.server = std::string(Trimmed(rest));
    } else {
        plugin.className = std::string(word);
        plugin.server = std::string(Trimmed(AfterFirstWord(doc_.Text(i))));
    }
    size_t end = i + 1;
    for (; end < doc_.lines.size(); ++end) {
        const std::string_view text = doc_.Text(end);
        if (Trimmed(text) == "EndPlugin")
            break;
        if (text.compare(0, 7, "Plugin ") == 0)
            return Fail(i, "the plug-in " + plugin.server + " has no EndPlugin before the next Plugin line");
    }
    if (end >= doc_.lines.size())
        return Fail(i, "the plug-in " + plugin.server + " has no EndPlugin");
    plugin.end = end;
    if (end + 1 < doc_.lines.size() && Trimmed(doc_.Text(end + 1)) == "PluginEnabled 0") {
        plugin.enabledLine = end + 1;
        plugin.enabled = false;
    }
    plugin.owner = PluginOwner(doc_.items, current_, plugin.className);
    // Envelopes inside plug-in data (morph mixer forms and others) count too, and apart.
    for (size_t at = i + 1; at < end; ++at) {
        if (!OpensBlock(doc_.Text(at)) || BlockToken(doc_.Text(at)) != "Envelope")
            continue;
        EnvelopeBlock block;
        if (!ParseEnvelopeBlock(doc_.lines, at, end, block, doc_.warnings)) {
            doc_.warnings.push_back({at, "an envelope in the data of " + plugin.server + " is not closed"});
            continue;
        }
        ++doc_.envelopeCount;
        ++doc_.pluginEnvelopeCount;
        doc_.keyCount += block.keyLines.size();
        at = block.close;
    }
    doc_.plugins.push_back(plugin);
    i = plugin.enabledLine != kNoLine ? plugin.enabledLine : end;
    return true;
}

bool Parser::Block(size_t &i, std::string_view previousKeyword)
{
    const std::string_view token = BlockToken(doc_.Text(i));
    EnvelopeBlock block;
    const size_t close = token == "Envelope"
                             ? (ParseEnvelopeBlock(doc_.lines, i, doc_.lines.size(), block, doc_.warnings) ? block.close
                                                                                                           : kNoLine)
                             : BlockClose(doc_.lines, i, doc_.lines.size());
    if (close == kNoLine)
        return Fail(i, "the block \"" + std::string(Trimmed(doc_.Text(i))) + "\" is not closed");
    if (token == "Envelope") {
        ++doc_.envelopeCount;
        doc_.keyCount += block.keyLines.size();
        if (ItemDecl *item = Current()) {
            if (lastChannel_ >= 0 && lastChannelLine_ + 1 == i) {
                ChannelSlot slot;
                slot.number = lastChannel_;
                slot.line = lastChannelLine_;
                slot.envelope = std::move(block);
                item->channels.push_back(std::move(slot));
            } else if (!previousKeyword.empty() && lastKeywordLine_ + 1 == i) {
                item->keywordEnvelopes.emplace(std::string(previousKeyword), std::move(block));
            }
        }
        lastChannel_ = -1;
    } else if (token == "GE_Expression_Lib") {
        ExpressionLibrary(i, close);
    } else {
        // Count the envelopes of other blocks (texture layers, clips) too.
        for (size_t at = i + 1; at < close; ++at)
            if (OpensBlock(doc_.Text(at)) && BlockToken(doc_.Text(at)) == "Envelope") {
                EnvelopeBlock inner;
                ParseEnvelopeBlock(doc_.lines, at, close, inner, doc_.warnings);
                ++doc_.envelopeCount;
                doc_.keyCount += inner.keyLines.size();
            }
    }
    i = close;
    return true;
}

// "Expression \"name\" \"text\" n", then n lines "ExpressionChannel <item id> \"<channel>\"".
void Parser::ExpressionLibrary(size_t open, size_t close)
{
    doc_.expressionLibOpen = open;
    doc_.expressionLibClose = close;
    for (size_t at = open + 1; at < close; ++at) {
        const std::string_view text = Trimmed(doc_.Text(at));
        if (FirstWord(text) == "ExpressionChannel") {
            if (doc_.expressions.empty())
                continue;
            const std::string_view rest = AfterFirstWord(text);
            std::uint64_t item = 0;
            if (!ParseHex(FirstWord(rest), item) || item > 0xFFFFFFFFu) {
                doc_.warnings.push_back({at, "an expression's channel names no item identifier"});
                continue;
            }
            doc_.expressions.back().channels.emplace_back(static_cast<std::uint32_t>(item),
                                                          Unquoted(Trimmed(AfterFirstWord(rest))));
            doc_.expressions.back().lastLine = at;
            continue;
        }
        if (FirstWord(text) != "Expression")
            continue;
        // The name runs to the next quote; the text from the quote after it to the last quote.
        const size_t q1 = text.find('"');
        const size_t q2 = q1 == std::string_view::npos ? q1 : text.find('"', q1 + 1);
        const size_t q3 = q2 == std::string_view::npos ? q2 : text.find('"', q2 + 1);
        const size_t q4 = text.rfind('"');
        if (q3 == std::string_view::npos || q4 <= q3) {
            doc_.warnings.push_back({at, "an Expression line without a quoted name and text"});
            continue;
        }
        ExpressionLine expression;
        expression.line = at;
        expression.lastLine = at;
        expression.name = std::string(text.substr(q1 + 1, q2 - q1 - 1));
        expression.text = std::string(text.substr(q3 + 1, q4 - q3 - 1));
        doc_.expressions.push_back(std::move(expression));
    }
}

void Parser::ResolveParents()
{
    std::map<std::uint32_t, size_t> byId;
    for (size_t i = 0; i < doc_.items.size(); ++i)
        byId.emplace(doc_.items[i].id, i);
    for (ItemDecl &item : doc_.items)
        if (item.parentLine != kNoLine && !byId.count(item.parentId))
            doc_.warnings.push_back({item.parentLine, "ParentItem " + FormatItemId(item.parentId) +
                                    " names no item of the scene"});
}

bool Parser::Run(std::string_view bytes)
{
    doc_.lines = TextLines(std::string(bytes));
    doc_.lineEnd = doc_.lines.UsualLineEnd();
    if (!Header())
        return false;
    for (size_t i = 2; i < doc_.lines.size(); ++i) {
        const std::string_view text = doc_.Text(i);
        const std::string_view word = FirstWord(text);
        if (word.empty())
            continue;
        if ((word == "Plugin" || word == "AnimationSaver") && IndentOf(text) == 0) {
            if (!Plugin(i, word))
                return false;
            continue;
        }
        if (OpensBlock(text)) {
            if (!Block(i, lastKeyword_))
                return false;
            continue;
        }
        if (ClosesBlock(text)) {
            doc_.warnings.push_back({i, "a \"}\" without its block"});
            continue;
        }
        if (word == "Key") {
            doc_.warnings.push_back({i, "a Key line outside an envelope"});
            continue;
        }
        if (IsDeclaration(word)) {
            Declaration(i, word);
            continue;
        }
        if (kSectionKeywords.count(word))
            EndItem(i);
        Keyword(i, word);
    }
    EndItem(doc_.lines.size());
    ResolveParents();
    return true;
}

} // namespace

size_t BlockClose(const TextLines &lines, size_t open, size_t limit)
{
    int depth = 0;
    for (size_t at = open; at < limit && at < lines.size(); ++at) {
        const std::string_view text = lines.Text(at);
        if (OpensBlock(text))
            ++depth;
        else if (ClosesBlock(text) && --depth == 0)
            return at;
    }
    return kNoLine;
}

bool ParseEnvelopeBlock(const TextLines &lines, size_t open, size_t limit, EnvelopeBlock &block,
                        Warnings &warnings)
{
    block.open = open;
    size_t at = open + 1;
    for (; at < limit && at < lines.size(); ++at) {
        const std::string_view text = lines.Text(at);
        const std::string_view word = FirstWord(text);
        if (word == "}" && ClosesBlock(text))
            break;
        if (!word.empty() && word[0] == '{' && OpensBlock(text)) {
            HandlerBlock handler;
            handler.open = at;
            handler.close = BlockClose(lines, at, limit);
            if (handler.close == kNoLine)
                return false;
            handler.className = std::string(BlockToken(text));
            if (handler.open + 1 < handler.close) {
                const std::string_view serverLine = Trimmed(lines.Text(handler.open + 1));
                if (!serverLine.empty() && serverLine.front() == '"')
                    handler.server = Unquoted(serverLine);
            }
            block.handlers.push_back(handler);
            at = handler.close;
            continue;
        }
        if (word == "Key") {
            EnvelopeKey key;
            if (ParseKey(text, key)) {
                block.envelope.keys.push_back(key);
                block.keyLines.push_back(at);
            } else {
                warnings.push_back({at, "a Key line that is not nine numbers"});
            }
        } else if (word == "Behaviors") {
            // Codes other than 0 to 5 are kept as they are (the evaluator takes them as constant).
            std::string_view rest = AfterFirstWord(text), first, second;
            long long pre = 1, post = 1;
            const bool read = NextWord(rest, first) && NextWord(rest, second) && ParseInteger(first, pre) &&
                              ParseInteger(second, post) && pre >= -2147483647LL && pre <= 2147483647LL &&
                              post >= -2147483647LL && post <= 2147483647LL;
            if (read) {
                block.envelope.pre = static_cast<int>(pre);
                block.envelope.post = static_cast<int>(post);
            }
            if (!read || pre < 0 || pre > 5 || post < 0 || post > 5)
                warnings.push_back({at, "Behaviors are not two codes from 0 to 5 (taken as constant)"});
            block.behaviorsLine = at;
        } else if (block.countLine == kNoLine && !word.empty() && block.keyLines.empty()) {
            block.countLine = at;
            if (!ParseInteger(Trimmed(text), block.declaredCount))
                warnings.push_back({at, "the envelope's key count is not a whole number"});
        }
    }
    if (at >= limit || at >= lines.size())
        return false;
    block.close = at;
    if (block.countLine != kNoLine && block.declaredCount != static_cast<long long>(block.envelope.keys.size()))
        warnings.push_back({block.countLine, "the envelope says " + std::to_string(block.declaredCount) +
                           " keys and holds " + std::to_string(block.envelope.keys.size())});
    // Keys are in time order in the files Layout writes; others are put in order (ties keep theirs).
    const auto earlier = [](const EnvelopeKey &a, const EnvelopeKey &b) { return a.time < b.time; };
    if (std::is_sorted(block.envelope.keys.begin(), block.envelope.keys.end(), earlier))
        return true;
    std::vector<size_t> order(block.envelope.keys.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return block.envelope.keys[a].time < block.envelope.keys[b].time;
    });
    bool sorted = true;
    for (size_t k = 0; k < order.size(); ++k)
        sorted = sorted && order[k] == k;
    if (!sorted) {
        std::vector<EnvelopeKey> keys;
        for (size_t k : order)
            keys.push_back(block.envelope.keys[k]);
        block.envelope.keys = std::move(keys);
        warnings.push_back({open, "the envelope's keys are not in time order"});
    }
    return true;
}

std::uint32_t PositionalId(DeclKind kind, std::uint32_t index, std::uint32_t objectIndex)
{
    switch (kind) {
    case DeclKind::Object:
    case DeclKind::Null: return 0x10000000u | (index & 0x0FFFFFFFu);
    case DeclKind::Light: return 0x20000000u | (index & 0x0FFFFFFFu);
    case DeclKind::Camera: return 0x30000000u | (index & 0x0FFFFFFFu);
    case DeclKind::Bone: return 0x40000000u | ((index & 0xFFFu) << 16) | (objectIndex & 0xFFFFu);
    }
    return 0;
}

std::string Unquoted(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        const size_t close = text.rfind('"');
        if (close != std::string_view::npos)
            text = text.substr(0, close);
    }
    return std::string(text);
}

std::string_view Document::SceneValue(const std::string &keyword) const
{
    const auto found = sceneKeywords.find(keyword);
    return found == sceneKeywords.end() ? std::string_view() : Trimmed(AfterFirstWord(Text(found->second)));
}

std::vector<std::string_view> Document::PluginData(const PluginBlock &plugin) const
{
    std::vector<std::string_view> data;
    for (size_t at = plugin.first + 1; at < plugin.end && at < lines.size(); ++at)
        data.push_back(lines.Text(at));
    return data;
}

std::vector<std::string_view> Document::HandlerData(const HandlerBlock &handler) const
{
    std::vector<std::string_view> data;
    const size_t first = handler.server.empty() ? handler.open + 1 : handler.open + 2;
    for (size_t at = first; at < handler.close && at < lines.size(); ++at)
        data.push_back(lines.Text(at));
    return data;
}

bool ParseDocument(std::string_view bytes, Document &document, ParseError &error)
{
    Parser parser(document, error);
    return parser.Run(bytes);
}

NumberStyle DetectNumberStyle(const Document &document)
{
    // The precision of the file's own key values and times (the longest seen), and its exponents.
    size_t maxDigits = 0;
    bool threeDigitExponent = false;
    for (const ItemDecl &item : document.items)
        for (const ChannelSlot &slot : item.channels)
            for (size_t line : slot.envelope.keyLines) {
                std::string_view rest = document.Text(line), word;
                NextWord(rest, word);
                for (int w = 0; w < 2 && NextWord(rest, word); ++w) {
                    maxDigits = std::max<size_t>(maxDigits, static_cast<size_t>(SignificantDigits(word)));
                    const size_t e = word.find('e') != std::string_view::npos ? word.find('e') : word.find('E');
                    if (e != std::string_view::npos && word.size() - e >= 5)
                        threeDigitExponent = true;
                }
            }
    NumberStyle style;
    if (maxDigits > 0)
        style.digits = maxDigits > 17 ? 20 : maxDigits > 9 ? 17 : maxDigits > 7 ? 8 : 7;
    style.threeDigitExponent = threeDigitExponent;
    return style;
}

std::string Warning::Quoted() const { return "line " + std::to_string(line + 1) + ": " + text; }

} // namespace zkh::lwsc

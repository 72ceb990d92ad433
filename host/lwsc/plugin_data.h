// plugin_data.h: a plug-in's data in a text scene file, and Layout's load and save states over it.
//
// As in Layout's text scenes (ASCII mode), one write call is one line: the values of an array on
// one line separated by single spaces, unsigned values in hexadecimal, a string in double quotes
// as it is (Layout has no escapes), floats in the shortest form that reads back as the same float.
// A nested block is a line "{ Token", its contents two spaces further in, and "}"; a leaf block is
// one line, its token followed by the values written inside it. A read takes one line: numbers are
// parsed from the line's words (fewer than asked when the line holds fewer, and the count says
// so), a string from a quoted line. Reads never take a block's "{" or "}" line and never go past
// the plug-in's data.
#ifndef ZKH_LWSC_PLUGIN_DATA_H
#define ZKH_LWSC_PLUGIN_DATA_H

#include "lwhost/lwhost.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkh::lwsc {

// Collects the lines a plug-in's save callback writes, indented from a base indentation (that of
// the surrounding block in the file).
class PluginDataWriter {
public:
    explicit PluginDataWriter(std::string indent = std::string());
    const LWSaveState *State() const { return &state_; }
    // The lines written, without line ends; a block left open is closed.
    std::vector<std::string> Finish();

private:
    void Add(std::string values);
    std::string Indent() const;

    LWSaveState state_{};
    std::string base_;
    std::vector<std::string> lines_;
    int depth_ = 0;
    bool leafOpen_ = false;
    friend struct PluginDataAccess;
};

// Serves a plug-in's load callback from the lines of its data (their indentation is ignored).
class PluginDataReader {
public:
    explicit PluginDataReader(std::vector<std::string_view> lines);
    const LWLoadState *State() const { return &state_; }
    // Lines taken so far.
    size_t Position() const { return position_; }

private:
    LWLoadState state_{};
    std::vector<std::string_view> lines_;
    size_t position_ = 0;
    int depth_ = 0;
    bool inLeaf_ = false;
    std::vector<std::string_view> leafWords_; // the values of the leaf block's line not read yet
    friend struct PluginDataAccess;
};

// Whether a line (trimmed) opens a block ("{ Token" or "{") or closes one ("}").
bool OpensBlock(std::string_view line);
bool ClosesBlock(std::string_view line);
// The token of a block opener ("{ Envelope" -> "Envelope").
std::string_view BlockToken(std::string_view line);

} // namespace zkh::lwsc

#endif

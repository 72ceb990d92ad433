// scene_block_io.h: typed writes and reads of single scene-block items through the host's
// LWSaveState and LWLoadState.
//
// Floats are narrowed with BlockFloat (clamped to the float range, a NaN written as the loader's
// default); a stored NaN or infinity reads as the caller's default.
#ifndef ZK_COMMON_SCENE_BLOCK_IO_H
#define ZK_COMMON_SCENE_BLOCK_IO_H

#include "lwhost/lwhost.h"

#include <string>
#include <vector>

// One item each; PutBlockI4s writes its count values as one item.
void PutBlockI4(const LWSaveState &save, int value);
void PutBlockI4s(const LWSaveState &save, const int *values, int count);
void PutBlockU4(const LWSaveState &save, unsigned int value);
void PutBlockFP(const LWSaveState &save, double value, float fallback = 0.0f);
// Writes SceneString(text).
void PutBlockStr(const LWSaveState &save, const std::string &text);

// A text as a scene string holds it: Layout writes a string raw between double quotes, so a line
// break, a tab or a quote inside it would break the scene's line. Bytes below 32 become spaces and
// '"' becomes '\''.
std::string SceneString(std::string text);

// Sequential reads of a block's items. A read that finds no such item fails, and so does every
// read after it without asking the host again; Ok() tells whether all of them succeeded.
class SceneBlockReader {
public:
    explicit SceneBlockReader(const LWLoadState &load) : load_(load) {}

    // A text of at most maxLength - 1 bytes: as many as the host reports.
    bool Str(std::string &out, int maxLength);
    // A text of at most maxLength - 1 bytes, up to its first zero byte.
    bool CStr(std::string &out, int maxLength);
    // A text of at most maxBytes bytes, up to its first zero byte, cut at a character boundary:
    // one byte more is asked of the host, so that a character the limit would split is left out.
    bool Text(std::string &out, int maxBytes);
    bool I4(int &out) { return I4s(&out, 1); }
    // One item of count values.
    bool I4s(int *values, int count);
    bool U4(unsigned int &out);
    // An I4: nonzero is true.
    bool Bool(bool &out);
    bool FP(double &out, double fallback);

    bool Ok() const { return ok_; }

private:
    // Reads the next text into buffer_ (maxLength bytes, zeros after what the host copied); the
    // length the host reports, or -1 when there is none.
    int ReadText(int maxLength);

    const LWLoadState &load_;
    std::vector<char> buffer_;
    bool ok_ = true;
};

#endif

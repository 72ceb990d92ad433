// clipmixer_file_text.h: the text of the clip mixer's XML file: its encoding and the characters it
// may hold.
#ifndef ZK_CLIPMIXER_FILE_TEXT_H
#define ZK_CLIPMIXER_FILE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

// The declaration the file is written with: its texts are UTF-8, as the panels and files give them.
extern const char kMixerDeclaration[];

// The file's bytes as UTF-8: a file that declares Shift_JIS (or "Shist_JIS", as earlier builds
// wrote whatever the texts held) and is not UTF-8 is converted from code page 932; any other file
// is taken as it is.
void DecodeMixerText(std::string &text);

// True when the XML declaration at the start of the text (the first kilobyte is enough) names
// code page 932: the file may then need converting, and DecodeMixerText has to see all of it.
bool DeclaresCodePage932(const std::string &head);

// The first character reference of the text that the XML library would turn into a NUL byte, a
// surrogate or a code point past U+10FFFF ("&#0;", "&#xD800;", "&#x110000;"...); "" when none.
std::string FindForbiddenReference(const std::string &text);

// The same over a text given in pieces (a file read a block at a time): a reference cut between
// two pieces is found as in the whole text.
class ReferenceScanner {
public:
    void Feed(const char *data, size_t size);
    const std::string &Found() const { return found_; } // "" while none
private:
    enum class State { Text, Ampersand, Hash, Digits };
    State state_ = State::Text;
    bool hex_ = false;
    std::uint32_t value_ = 0;
    std::string reference_; // the reference read so far
    std::string found_;
};

// True when an XML 1.0 file can hold the text, so that every XML reader takes it: UTF-8 of the
// characters XML allows, among the control characters only TAB, LF and CR.
bool IsWritableText(const std::string &text);

#endif

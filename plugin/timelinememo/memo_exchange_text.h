// memo_exchange_text.h: text handling shared by the hand-written marker readers and the writers:
// encodings, lines, bounded numbers, texts made to fit one line.
#ifndef ZK_MEMO_EXCHANGE_TEXT_H
#define ZK_MEMO_EXCHANGE_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

// A file's bytes as UTF-8: a UTF-8 byte order mark is dropped, UTF-16 (either order, told by its
// mark) is converted. Raises NotUtf8 for broken UTF-16 or for bytes that are not UTF-8.
std::string DecodeText(const std::string &bytes);

// True when the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Lines of a text ended by LF, CRLF or CR, numbered from 1.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool Next(std::string_view &line);
    long Number() const { return number_; }

private:
    std::string_view text_;
    size_t at_ = 0;
    long number_ = 0;
};

std::string_view Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view head);
// Letter case of ASCII aside.
bool SameText(std::string_view a, std::string_view b);

// A decimal integer, optionally signed, nothing else around it; false beyond 64 bits.
bool ParseInteger(std::string_view text, std::int64_t &value);
// A decimal number as the C library reads it, finite, nothing else around it.
bool ParseNumber(std::string_view text, double &value);

// A text of a file kept by the memo: raises TextTooLong past kMaxImportText bytes.
std::string KeptText(std::string_view text, long line);

// The text on one line: line breaks and tabs, and the bytes in `also`, become a space (or
// `replacement`); `replaced` counts the texts that changed.
std::string OneLineText(const std::string &text, int &replaced, std::string_view also = {},
                        char replacement = ' ');

#endif

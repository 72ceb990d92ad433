// memo_exchange_text.cpp: encodings, lines and bounded numbers for the marker readers.
#include "memo_exchange_text.h"

#include "memo_exchange.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

void AppendUtf8(std::string &out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 units after the byte order mark, little or big end first.
std::string FromUtf16(const std::string &bytes, bool littleEnd)
{
    if (bytes.size() % 2 != 0)
        throw ExchangeError{ExchangeErrorId::NotUtf8, "UTF-16"};
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<std::uint32_t>(littleEnd ? first | second << 8 : first << 8 | second);
    };
    for (size_t at = 2; at < bytes.size(); at += 2) {
        std::uint32_t code = unit(at);
        if (code >= 0xD800 && code < 0xDC00) {
            const std::uint32_t low = at + 3 < bytes.size() ? unit(at + 2) : 0;
            if (low < 0xDC00 || low >= 0xE000)
                throw ExchangeError{ExchangeErrorId::NotUtf8, "UTF-16"};
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            at += 2;
        } else if (code >= 0xDC00 && code < 0xE000) {
            throw ExchangeError{ExchangeErrorId::NotUtf8, "UTF-16"};
        }
        AppendUtf8(out, code);
    }
    return out;
}

} // namespace

bool IsUtf8(std::string_view text)
{
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        int follow = 0;
        std::uint32_t code = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            follow = 1, code = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2, code = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (at + follow >= text.size())
            return false;
        for (int i = 1; i <= follow; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return false;
        at += follow + 1;
    }
    return true;
}

std::string DecodeText(const std::string &bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return FromUtf16(bytes, true);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return FromUtf16(bytes, false);
    const size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::string text = bytes.substr(start);
    if (!IsUtf8(text))
        throw ExchangeError{ExchangeErrorId::NotUtf8, "UTF-8"};
    return text;
}

bool LineReader::Next(std::string_view &line)
{
    if (at_ >= text_.size())
        return false;
    const size_t end = text_.find_first_of("\r\n", at_);
    ++number_;
    if (end == std::string_view::npos) {
        line = text_.substr(at_);
        at_ = text_.size();
        return true;
    }
    line = text_.substr(at_, end - at_);
    at_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
    return true;
}

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool ParseInteger(std::string_view text, std::int64_t &value)
{
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        at = 1;
    if (at >= text.size() || text.size() - at > 18)
        return false; // more than 18 digits may not fit
    std::int64_t number = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return false;
        number = number * 10 + (text[at] - '0');
    }
    value = negative ? -number : number;
    return true;
}

bool ParseNumber(std::string_view text, double &value)
{
    if (text.empty() || text.size() > 64 || text.find_first_not_of("0123456789+-.eE") != std::string_view::npos)
        return false;
    const std::string copy(text);
    errno = 0;
    char *end = nullptr;
    const double parsed = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string KeptText(std::string_view text, long line)
{
    if (text.size() > kMaxImportText)
        throw ExchangeError{ExchangeErrorId::TextTooLong, std::to_string(kMaxImportText), line};
    return std::string(text);
}

std::string OneLineText(const std::string &text, int &replaced, std::string_view also, char replacement)
{
    std::string out = text;
    bool changed = false;
    for (char &c : out) {
        if (c == '\r' || c == '\n' || c == '\t') {
            c = ' ';
            changed = true;
        } else if (also.find(c) != std::string_view::npos) {
            c = replacement;
            changed = true;
        }
    }
    if (changed)
        ++replaced;
    return out;
}

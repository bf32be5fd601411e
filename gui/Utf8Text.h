#pragma once
// UTF-8 text in byte strings: moving between character boundaries, counting characters and
// cutting to a byte limit, so that nothing ever splits a multi-byte character.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace utf8 {

constexpr bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

// The boundary after / before the character at byte `pos`.
inline std::size_t next(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    ++pos;
    while (pos < text.size() && isContinuation(text[pos])) ++pos;
    return pos;
}
inline std::size_t previous(std::string_view text, std::size_t pos) {
    if (pos == 0) return 0;
    if (pos > text.size()) pos = text.size();
    --pos;
    while (pos > 0 && isContinuation(text[pos])) --pos;
    return pos;
}

inline std::size_t countCharacters(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) n += isContinuation(c) ? 0 : 1;
    return n;
}

// The longest start of `text` of at most `maxBytes` bytes that ends on a character boundary.
inline std::string_view cut(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuation(text[end])) --end;
    return text.substr(0, end);
}

// Appends one code point; surrogates and values past U+10FFFF are not characters and add nothing.
inline bool append(std::string& text, std::uint32_t cp) {
    if ((cp >= 0xd800 && cp <= 0xdfff) || cp > 0x10ffff) return false;
    if (cp < 0x80) {
        text += static_cast<char>(cp);
    } else if (cp < 0x800) {
        text += static_cast<char>(0xc0 | (cp >> 6));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
        text += static_cast<char>(0xe0 | (cp >> 12));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    } else {
        text += static_cast<char>(0xf0 | (cp >> 18));
        text += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
        text += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        text += static_cast<char>(0x80 | (cp & 0x3f));
    }
    return true;
}

}  // namespace utf8

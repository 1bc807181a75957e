// Texts for tests written in UTF-8 and used as the program holds them, in CP932.
#pragma once

#include <string>
#include <string_view>

#include "sjis/sjis.h"

inline std::string cp932(std::string_view utf8) {
    return sjis::fromUtf8(utf8);
}

// `n` times the UTF-8 text, in CP932.
inline std::string repeated(std::string_view utf8, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += cp932(utf8);
    return text;
}

// A text of `bytes` half-width digits.
inline std::string digits(std::size_t bytes) {
    std::string s;
    for (std::size_t i = 0; i < bytes; ++i) s += static_cast<char>('0' + i % 10);
    return s;
}

// CP932 <-> Unicode lookup tables, built once per process from glibc's iconv "CP932".
#pragma once

#include <cstdint>

namespace sjis::detail {

struct Tables {
    // Unicode scalar of each CP932 code: single bytes at [b], double bytes at [lead << 8 | trail].
    // 0 marks a code without a character (except single[0], which is U+0000).
    char32_t toUnicode[0x10000];
    // CP932 code of each BMP character, in the form above; 0 = not in CP932.
    std::uint16_t fromUnicode[0x10000];
};

const Tables& tables();

}  // namespace sjis::detail

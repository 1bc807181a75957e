// CP932 <-> UTF-8 conversion through lookup tables. The tables are filled from iconv once,
// so every later conversion is a plain table walk (the drug list converts tens of thousands
// of texts per fill).
#include <iconv.h>

#include <memory>
#include <mutex>
#include <optional>

#include "sjis/sjis.h"
#include "tables.h"

namespace sjis {
namespace detail {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return IconvHandle(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts `len` bytes with `cd`; returns the output byte count or 0 when iconv refuses.
std::size_t convert(void* cd, const char* in, std::size_t len, char* out, std::size_t room) {
    iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    char* dst = out;
    std::size_t left = len, outLeft = room;
    if (iconv(static_cast<iconv_t>(cd), &src, &left, &dst, &outLeft) ==
        static_cast<std::size_t>(-1))
        return 0;
    return room - outLeft;
}

char32_t decodeUtf32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return char32_t(u[0]) | char32_t(u[1]) << 8 | char32_t(u[2]) << 16 | char32_t(u[3]) << 24;
}

void build(Tables& t) {
    auto decoder = openIconv("UTF-32LE", "CP932");
    auto encoder = openIconv("CP932", "UTF-32LE");
    char out[8];
    for (unsigned code = 1; code < 0x10000; ++code) {
        const unsigned lead = code >> 8, trail = code & 0xFF;
        char in[2];
        std::size_t len;
        if (lead == 0) {
            in[0] = char(trail);
            len = 1;
        } else {
            if (!isLeadByte(static_cast<unsigned char>(lead)) || trail < 0x40 || trail == 0x7F ||
                trail > 0xFC)
                continue;
            in[0] = char(lead);
            in[1] = char(trail);
            len = 2;
        }
        if (decoder && convert(decoder.get(), in, len, out, sizeof out) == 4)
            t.toUnicode[code] = decodeUtf32(out);
    }
    // The reverse direction asks iconv for each character, so characters that CP932 holds
    // twice (NEC and IBM extensions) map to the code iconv itself would choose.
    for (unsigned code = 1; code < 0x10000; ++code) {
        const char32_t u = t.toUnicode[code];
        if (u == 0 || u > 0xFFFF || t.fromUnicode[u] != 0) continue;
        char in[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), 0, 0};
        const std::size_t n = encoder ? convert(encoder.get(), in, 4, out, sizeof out) : 0;
        if (n == 1)
            t.fromUnicode[u] = static_cast<unsigned char>(out[0]);
        else if (n == 2)
            t.fromUnicode[u] = std::uint16_t(static_cast<unsigned char>(out[0]) << 8 |
                                             static_cast<unsigned char>(out[1]));
    }
}

}  // namespace

const Tables& tables() {
    static std::once_flag once;
    static std::unique_ptr<Tables> t;
    std::call_once(once, [] {
        t = std::make_unique<Tables>();
        build(*t);
    });
    return *t;
}

}  // namespace detail

namespace {

void appendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xF0 | (u >> 18));
        out += char(0x80 | ((u >> 12) & 0x3F));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 character at `i` (its first byte is not ASCII) and advances past it.
// A malformed sequence gives nothing and advances one byte, so that no byte of it is read as
// part of a character: overlong forms (an overlong "/" must not become "/"), surrogates and
// values past U+10FFFF are malformed, as are stray continuation bytes and cut-off sequences.
std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    const int extra = (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return std::nullopt;
    }
    char32_t u = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        u = u << 6 | (b & 0x3F);
    }
    constexpr char32_t kShortestAbove[] = {0, 0x80, 0x800, 0x10000};
    if (u < kShortestAbove[extra] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF) {
        ++i;
        return std::nullopt;
    }
    i += extra + 1;
    return u;
}

}  // namespace

std::string toUtf8(std::string_view cp932) {
    const auto& t = detail::tables();
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80) {
            out += char(b);
            continue;
        }
        char32_t u = 0;
        if (isLeadByte(b) && i + 1 < cp932.size()) {
            const unsigned code = unsigned(b) << 8 | static_cast<unsigned char>(cp932[i + 1]);
            u = t.toUnicode[code];
            // An unassigned pair still counts as one character when its trail byte is valid.
            const auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (u != 0 || (trail >= 0x40 && trail <= 0xFC && trail != 0x7F)) ++i;
        } else if (!isLeadByte(b)) {
            u = t.toUnicode[b];
        }
        appendUtf8(out, u == 0 ? char32_t(0xFFFD) : u);
    }
    return out;
}

bool fromUtf8(std::string_view utf8, std::string& out) {
    const auto& t = detail::tables();
    // No character takes more bytes in CP932 than in UTF-8 (a byte that is not UTF-8 becomes
    // one '?'), so the text is written into room of the input's size, then cut to its length.
    out.resize(utf8.size());
    char* const start = out.data();
    char* end = start;
    bool complete = true;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            *end++ = char(b);
            ++i;
            continue;
        }
        const std::optional<char32_t> u = nextUtf8(utf8, i);
        const std::uint16_t code = u && *u < 0x10000 ? t.fromUnicode[*u] : 0;
        if (code == 0) {
            *end++ = '?';
            complete = false;
        } else if (code < 0x100) {
            *end++ = char(code);
        } else {
            *end++ = char(code >> 8);
            *end++ = char(code & 0xFF);
        }
    }
    out.resize(static_cast<std::size_t>(end - start));
    return complete;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    fromUtf8(utf8, out);
    return out;
}

std::size_t validUtf8Length(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (!nextUtf8(text, i)) return start;
    }
    return text.size();
}

}  // namespace sjis

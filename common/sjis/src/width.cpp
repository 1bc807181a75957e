// Full-width / half-width and katakana -> hiragana mappings of the Japanese locale, done on
// Unicode scalars between a CP932 decode and encode. A mapped character that CP932 cannot
// hold keeps its original bytes.
#include <array>
#include <utility>

#include "sjis/sjis.h"
#include "tables.h"

namespace sjis {
namespace {

// Full-width forms of the half-width katakana block U+FF61..U+FF9F.
constexpr std::array<char16_t, 63> kHalfKanaToFull = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char32_t kVoicedMark = 0xFF9E, kSemiVoicedMark = 0xFF9F;

// Kana of the カ to ト rows that take the voiced mark (their voiced form is the next code).
constexpr std::array<char16_t, 15> kVoiceableKa = {0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
                                                   0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,
                                                   0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8};

// The full-width kana a half-width kana `h` takes with a following mark, or 0.
constexpr char32_t joinMark(char32_t h, char32_t mark) {
    const char32_t f = kHalfKanaToFull[h - 0xFF61];
    const bool haRow = f >= 0x30CF && f <= 0x30DB && (f - 0x30CF) % 3 == 0;  // ハヒフヘホ
    if (mark == kVoicedMark) {
        if (f == 0x30A6) return 0x30F4;  // ウ゛ -> ヴ
        for (char16_t k : kVoiceableKa)
            if (k == f) return f + 1;
        return haRow ? f + 1 : 0;
    }
    return mark == kSemiVoicedMark && haRow ? f + 2 : 0;
}

// The half-width spelling of a character of the full-width kana block U+3000..U+30FF: a
// half-width kana and, for a voiced kana, its mark; kana 0 when it has none.
struct HalfForm {
    char16_t kana = 0, mark = 0;
};
constexpr char32_t kFullBlock = 0x3000;

// Inverts the two tables above once, at compile time. Where two spellings give the same
// character the first half-width kana, unmarked before voiced before semi-voiced, wins.
constexpr std::array<HalfForm, 0x100> makeHalfForms() {
    std::array<HalfForm, 0x100> forms{};
    auto give = [&](char32_t full, char32_t h, char32_t mark) {
        if (full < kFullBlock || full >= kFullBlock + forms.size()) return;
        HalfForm& form = forms[full - kFullBlock];
        if (form.kana == 0) form = {char16_t(h), char16_t(mark)};
    };
    for (char32_t h = 0xFF61; h <= 0xFF9F; ++h) {
        give(kHalfKanaToFull[h - 0xFF61], h, 0);
        for (char32_t mark : {kVoicedMark, kSemiVoicedMark}) {
            if (const char32_t joined = joinMark(h, mark)) give(joined, h, mark);
        }
    }
    return forms;
}
constexpr std::array<HalfForm, 0x100> kHalfForms = makeHalfForms();

// One decoded CP932 character: its bytes and its Unicode scalar (0 when it has none).
struct Char {
    std::string_view bytes;
    char32_t u;
};

Char charAt(std::string_view s, std::size_t i) {
    const auto& t = detail::tables();
    const auto b = static_cast<unsigned char>(s[i]);
    if (isLeadByte(b) && i + 1 < s.size()) {
        const unsigned code = unsigned(b) << 8 | static_cast<unsigned char>(s[i + 1]);
        return {s.substr(i, 2), t.toUnicode[code]};
    }
    return {s.substr(i, 1), b == 0 ? char32_t(0) : t.toUnicode[b]};
}

// Appends the CP932 form of `u`; false when CP932 has none.
bool appendCp932(std::string& out, char32_t u) {
    const std::uint16_t code = u < 0x10000 ? detail::tables().fromUnicode[u] : 0;
    if (u == 0 || code == 0) return false;
    if (code >= 0x100) out += char(code >> 8);
    out += char(code & 0xFF);
    return true;
}

// Walks `s` character by character; `map` appends the replacement of a character and returns
// how many characters of input it consumed (0 = keep the character unchanged).
template <class Map>
std::string mapChars(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t i = 0; i < s.size();) {
        const Char c = charAt(s, i);
        const std::size_t next = i + c.bytes.size();
        const char32_t following = next < s.size() ? charAt(s, next).u : 0;
        const std::size_t before = out.size();
        const int consumed = c.u ? map(out, c.u, following) : 0;
        if (consumed == 0) {
            out.resize(before);
            out.append(c.bytes);
            i = next;
        } else {
            i = consumed == 2 ? next + charAt(s, next).bytes.size() : next;
        }
    }
    return out;
}

}  // namespace

std::string toFullWidth(std::string_view s) {
    return mapChars(s, [](std::string& out, char32_t u, char32_t following) -> int {
        if (u == 0x20) return appendCp932(out, 0x3000) ? 1 : 0;
        if (u > 0x20 && u < 0x7F) return appendCp932(out, u - 0x21 + 0xFF01) ? 1 : 0;
        if (u < 0xFF61 || u > 0xFF9F) return 0;
        if (following == kVoicedMark || following == kSemiVoicedMark) {
            if (const char32_t joined = joinMark(u, following))
                return appendCp932(out, joined) ? 2 : 0;
        }
        return appendCp932(out, kHalfKanaToFull[u - 0xFF61]) ? 1 : 0;
    });
}

std::string toHalfWidth(std::string_view s) {
    return mapChars(s, [](std::string& out, char32_t u, char32_t) -> int {
        if (u == 0x3000) return appendCp932(out, 0x20) ? 1 : 0;
        if (u >= 0xFF01 && u <= 0xFF5E) return appendCp932(out, u - 0xFF01 + 0x21) ? 1 : 0;
        if (u < kFullBlock || u >= kFullBlock + kHalfForms.size()) return 0;
        const HalfForm form = kHalfForms[u - kFullBlock];
        if (form.kana == 0) return 0;
        return appendCp932(out, form.kana) && (form.mark == 0 || appendCp932(out, form.mark)) ? 1
                                                                                              : 0;
    });
}

std::string nameKey(std::string_view s) {
    std::string key = toHalfWidth(s);
    std::erase(key, ' ');
    return key;
}

std::string kataToHira(std::string_view s) {
    return mapChars(s, [](std::string& out, char32_t u, char32_t) -> int {
        if ((u >= 0x30A1 && u <= 0x30F6) || u == 0x30FD || u == 0x30FE)
            return appendCp932(out, u - 0x60) ? 1 : 0;
        return 0;
    });
}

std::string hiraToKata(std::string_view s) {
    return mapChars(s, [](std::string& out, char32_t u, char32_t) -> int {
        if ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E)
            return appendCp932(out, u + 0x60) ? 1 : 0;
        return 0;
    });
}

}  // namespace sjis

// Shift-JIS (code page 932) text helpers shared by the libraries and the program.
//
// Inside the system every text is a CP932 byte string; these helpers convert it to and
// from UTF-8 at the edges (Qt widgets, SQLite), cut it at character boundaries for the
// fixed-size fields, and provide the width and kana mappings of the Japanese locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

// True for a byte that starts a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// CP932 -> UTF-8. Bytes that form no CP932 character become U+FFFD.
std::string toUtf8(std::string_view cp932);

// UTF-8 -> CP932. Characters CP932 cannot hold become "?", and so does each byte of malformed
// UTF-8 (see validUtf8Length); the result tells whether everything converted.
bool fromUtf8(std::string_view utf8, std::string& out);
std::string fromUtf8(std::string_view utf8);

// Length of the longest prefix of `text` that is well-formed UTF-8. Overlong forms, surrogates
// (U+D800-U+DFFF), values past U+10FFFF, stray continuation bytes and a sequence cut off by
// the end of the text all end it; so it is text.size() only for wholly valid text.
std::size_t validUtf8Length(std::string_view text);

// Length of the longest prefix of `text` of at most `maxBytes` bytes that does not split a
// double-byte character.
std::size_t cutLength(std::string_view text, std::size_t maxBytes);

// Copies `text` into a fixed field of `width` bytes: at most width - 1 bytes of text, cut at
// a character boundary, then zero bytes up to the end of the field. Returns the bytes of
// text copied. A width of 0 writes nothing.
std::size_t copyField(char* field, std::size_t width, std::string_view text);

// The text held in a fixed field: up to its first zero byte, never past `width`.
std::string_view fieldText(const char* field, std::size_t width);

// Half-width -> full-width: ASCII letters, digits, symbols and space, and half-width
// katakana (a following voiced or semi-voiced mark joins its kana).
std::string toFullWidth(std::string_view cp932);

// Full-width -> half-width: the reverse of toFullWidth; voiced kana become two half-width
// characters. Characters without a half-width form stay as they are.
std::string toHalfWidth(std::string_view cp932);

// The form drug names are compared in: the CP932 name made half-width, without spaces.
std::string nameKey(std::string_view cp932);

// Full-width katakana -> hiragana; every other character stays as it is.
std::string kataToHira(std::string_view cp932);

// Hiragana -> full-width katakana; every other character stays as it is.
std::string hiraToKata(std::string_view cp932);

// Writes `result` and its terminator into `out` when they fit in `room` bytes and returns the
// bytes written including the terminator; otherwise writes an empty string (when room > 0) and
// returns 0. This is the result convention of the exported conversion calls.
int writeConverted(const std::string& result, char* out, std::size_t room);

}  // namespace sjis

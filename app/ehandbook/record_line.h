// One record of the handbook text: its number, then fields separated by ",", ended by CR LF.
// Every text field is made safe for the record (see fieldText) and cut to its byte limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ehandbook {

// `cp932` as a field of at most `limit` bytes: a half-width comma becomes the full-width "，"
// and a line break or other control character a space, so the text can neither end its field
// nor its record; the text ends at a zero byte and is cut at a character boundary.
std::string fieldText(std::string_view cp932, std::size_t limit);

// `cp932` made safe as fieldText does, in pieces of at most `limit` bytes that join back into
// the whole: each cut falls between characters, after a "、", "，", "・" or space in the last
// quarter of the piece when there is one, so that a listed name stays in one piece. None for
// an empty text.
std::vector<std::string> fieldPieces(std::string_view cp932, std::size_t limit);

class RecordLine {
  public:
    explicit RecordLine(std::string_view number) : line_(number) {}

    // A text field of at most `limit` bytes.
    RecordLine& text(std::string_view cp932, std::size_t limit);
    // A number field.
    RecordLine& number(int value);
    // An empty field.
    RecordLine& blank();
    // `count` empty fields.
    RecordLine& blanks(int count);

    // The record with its CR LF.
    std::string done() const { return line_ + "\r\n"; }

  private:
    std::string line_;
};

}  // namespace ehandbook

// A phrase table as the text of its list editor, one phrase per line, and the table rebuilt
// from such a text. Texts are CP932 with CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include "phrases/phrase_tables.h"

namespace dosage {

// Longest phrase a slot holds, in bytes.
inline constexpr std::size_t kPhraseBytes = DOSAGEBASE_SLOT_SIZE - 1;

// The editor's text for a table: a separator slot as an empty line, a phrase as its line, an
// empty slot as nothing. Every line, the last one too, ends in CR LF.
std::string phraseText(const PhraseTable& table);

// Why a text was refused, and the line (1-based) at fault.
struct TextFault {
    enum class Kind { kNone, kLineTooLong, kTooManyLines, kNotCp932 };
    Kind kind = Kind::kNone;
    int line = 0;

    explicit operator bool() const { return kind != Kind::kNone; }
};

// Rebuilds `table` from the editor's text, slot after slot: a line is a phrase, an empty line a
// separator slot followed by an empty slot (so reopening the editor shows the same lines), a
// zero byte ends the text. A line over kPhraseBytes bytes, or a text needing more than the 250
// slots, is refused and `table` is left as it was.
TextFault rebuildTable(std::string_view text, PhraseTable& table);

// The message (UTF-8) that tells the operator about a refused text.
std::string faultMessage(const TextFault& fault);

}  // namespace dosage

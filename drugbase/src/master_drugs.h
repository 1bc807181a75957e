// What a catalogue row added from the public drug master derives from the master's texts.
// All texts are CP932.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace drugbase {

// The dosage-form word a product name holds (錠, カプセル, 散, 軟膏, ...), the more specific
// word first (ドライシロップ before シロップ, 細粒 before 散); "" when it names none.
std::string dosageFormWord(std::string_view productName);

// The general-name text of the master without its leading "【般】" mark.
std::string plainGeneralName(std::string_view standardText);

// A new drug's N code as the N-code pass builds it: the name's prefix, or the prefix with the
// first free number from ２ on when a code in `taken` already is the prefix.
std::string freeNCode(std::string_view productName, const std::set<std::string>& taken);

}  // namespace drugbase

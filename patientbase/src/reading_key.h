// The reading of a name (kept in MEMO) in one comparable form, so that readings typed in
// katakana, hiragana or half-width katakana sort and match alike.
#pragma once

#include <string>
#include <string_view>

namespace patientbase {

// `reading` (CP932) as full-width hiragana without blanks: half-width characters become
// full-width (a voiced mark joins its kana), katakana become hiragana, half- and full-width
// spaces are dropped. Byte order of the result is 五十音 order for kana.
std::string readingKey(std::string_view reading);

// True when `key` (a readingKey) is made only of kana and the long-vowel mark, i.e. could be
// typed as a reading rather than as a name.
bool isKanaOnly(std::string_view key);

}  // namespace patientbase

// The line-start rule of Japanese typesetting: closing brackets, commas and full stops, small
// kana, the prolonged-sound and iteration marks and their half-width and ASCII forms never
// begin a line.
#pragma once

#include <cstddef>
#include <string_view>

namespace leaflet {

// Bytes of the CP932 character that begins `text`: 2 for a lead byte followed by another
// byte, else 1; 0 for an empty text.
std::size_t characterLength(std::string_view text);

// Whether the CP932 character that begins `text` may not begin a line.
bool barredFromLineStart(std::string_view text);

}  // namespace leaflet

// The comment printed at the foot of every page, as lines.
#pragma once

#include <string_view>
#include <vector>

namespace leaflet {

inline constexpr int kMaxCommentLines = 5;

// The comment's first kMaxCommentLines lines, split at line feeds; only a carriage return
// before a feed is dropped, so a comment with bare line feeds keeps every byte. A text after
// the last feed is a line when it is not empty.
std::vector<std::string_view> commentLines(std::string_view comment);

}  // namespace leaflet

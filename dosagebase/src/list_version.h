// The version of a stored list, which a save that must not overwrite another terminal's change
// compares before it replaces the list. It is a hash of the list's stored text (its file or its
// server row), not a counter: it needs no new column, so servers and folders made before keep
// working unchanged. A list changed elsewhere and back to the same text compares equal, which
// loses nothing: the save then replaces exactly the content its reader saw.
#pragma once

#include <string_view>

namespace dosagebase {

using ListVersion = unsigned long long;

// The version of a list that has no file or row yet (and is read as its default content).
inline constexpr ListVersion kNoStoredList = 0;

// FNV-1a (64 bits) of the stored text; never kNoStoredList.
constexpr ListVersion versionOf(std::string_view stored) {
    ListVersion hash = 14695981039346656037ull;
    for (const char c : stored) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash == kNoStoredList ? 1 : hash;
}

// What became of a save.
enum class Stored { Done, Changed, Failed };

}  // namespace dosagebase

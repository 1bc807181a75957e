// The QR symbols that carry a handbook text, one per part.
#pragma once

#include <string_view>
#include <vector>

#include "ehandbook/qr_symbol.h"

namespace ehandbook {

// The symbols of the parts of `text` split under `dataId` (see handbook_parts.h), in part
// order. Empty when the text cannot be split or a part cannot be encoded.
std::vector<QrSymbol> handbookSymbols(std::string_view text, std::string_view dataId);

}  // namespace ehandbook

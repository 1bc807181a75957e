// The prescription code text held by the QR symbols of a picture (a photograph or scan of the
// prescription): one symbol, several Structured Append symbols joined in sequence order
// whatever their place in the picture, or several plain symbols joined top to bottom.
#pragma once

#include <QImage>
#include <string>

namespace prescription {

struct SymbolText {
    std::string bytes;  // the symbols' bytes joined, as a scanner would type them
    std::string error;  // UTF-8; set when no complete text was found
};

SymbolText readSymbols(const QImage& image);

}  // namespace prescription

// The prescription code text held by the QR symbols of a picture (a photograph or scan of the
// prescription): one symbol, several Structured Append symbols joined in sequence order
// whatever their place in the picture, or several plain symbols joined row by row, each row
// left to right.
#pragma once

#include <QImage>
#include <string>

namespace prescription {

// Why a file gave no text, for callers that word the reason themselves (leafletadmin).
enum class FileTrouble { kNone, kOther, kEncryptedPdf, kPageTooLarge, kPictureTooLarge };

struct SymbolText {
    std::string bytes;  // the symbols' bytes joined, as a scanner would type them
    std::string error;  // UTF-8; set when no complete text was found
    FileTrouble trouble = FileTrouble::kNone;
};

SymbolText readSymbols(const QImage& image);

}  // namespace prescription

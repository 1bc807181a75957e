// The prescription code text a file holds: the QR symbols of a PNG or JPEG picture or of the
// first page of a PDF file, or, for any other file, its bytes as they are.
#pragma once

#include <string>

#include "prescriptionimage/symbol_image.h"

namespace prescription {

// `bytes` are the file's content. The error (UTF-8) is set when a picture or PDF file holds no
// complete code.
SymbolText codeTextOfFile(std::string bytes);

}  // namespace prescription

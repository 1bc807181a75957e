// Draws the e-medication-handbook codes of a block on a leaflet page.
#pragma once

#include <span>

#include "ehandbook/qr_symbol.h"
#include "leaflet/code_block.h"

namespace leaflet {

class PageInk;

// Draws codes block.firstCode ... of `codes`, each labelled "お薬手帳QR (n/N)" where N is the
// number of all the codes, dark modules in black on the white page.
void drawCodeBlock(PageInk& ink, const CodeBlock& block,
                   std::span<const ehandbook::QrSymbol> codes);

}  // namespace leaflet

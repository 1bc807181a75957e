#include "ehandbook/handbook_symbols.h"

#include "ehandbook/handbook_parts.h"

namespace ehandbook {

std::vector<QrSymbol> handbookSymbols(std::string_view text, std::string_view dataId) {
    std::vector<QrSymbol> symbols;
    for (const std::string& part : splitHandbookText(text, dataId)) {
        std::optional<QrSymbol> symbol = encodeQrSymbol(part);
        if (!symbol) return {};
        symbols.push_back(std::move(*symbol));
    }
    return symbols;
}

}  // namespace ehandbook

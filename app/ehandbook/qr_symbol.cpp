#include "ehandbook/qr_symbol.h"

#include <qrencode.h>

#include <memory>

namespace ehandbook {

namespace {

struct QrCodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

std::optional<QrSymbol> encodeQrSymbol(std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    const std::unique_ptr<QRcode, QrCodeFree> code(
        QRcode_encodeData(static_cast<int>(bytes.size()),
                          reinterpret_cast<const unsigned char*>(bytes.data()), 0, QR_ECLEVEL_M));
    if (!code) return std::nullopt;
    QrSymbol symbol;
    symbol.size = code->width;
    const std::size_t count = static_cast<std::size_t>(code->width) * code->width;
    symbol.modules.resize(count);
    // Bit 0 of each byte is the module's colour; the other bits describe what it belongs to.
    for (std::size_t i = 0; i < count; ++i) symbol.modules[i] = code->data[i] & 1;
    return symbol;
}

}  // namespace ehandbook

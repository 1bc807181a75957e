// A QR Model 2 symbol made by libqrencode: 8-bit mode, error correction level M, the smallest
// version that holds the bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ehandbook {

struct QrSymbol {
    int size = 0;                       // modules on a side (21 for version 1 ... 177)
    std::vector<std::uint8_t> modules;  // size * size, row by row; 1 = dark
    bool dark(int x, int y) const { return modules[static_cast<std::size_t>(y * size + x)] != 0; }
};

// The symbol carrying `bytes` as they are; nothing when no version holds them or the encoder
// fails.
std::optional<QrSymbol> encodeQrSymbol(std::string_view bytes);

}  // namespace ehandbook

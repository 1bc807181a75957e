#include "folderkey/key_text.h"

#include <openssl/rand.h>

#include <stdexcept>

namespace folderkey {
namespace {

constexpr const char* kDigits = "0123456789ABCDEF";

void fillRandom(unsigned char* bytes, int size) {
    // Without a working random source no key may be made at all.
    if (RAND_bytes(bytes, size) != 1) throw std::runtime_error("no random source");
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Key randomKey() {
    Key key;
    fillRandom(key.data(), static_cast<int>(key.size()));
    return key;
}

std::string randomFolderId() {
    std::array<unsigned char, 16> id;
    fillRandom(id.data(), static_cast<int>(id.size()));
    std::string text;
    for (unsigned char byte : id) {
        text += static_cast<char>(kDigits[byte >> 4] | 0x20);  // lower case: a file name
        text += static_cast<char>(kDigits[byte & 0xF] | 0x20);
    }
    return text;
}

std::string hexOf(const Key& key) {
    std::string text;
    for (unsigned char byte : key) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string groupedHex(const Key& key) {
    const std::string hex = hexOf(key);
    std::string text;
    for (std::size_t i = 0; i < hex.size(); i += 4) {
        if (i > 0) text += i % 32 == 0 ? '\n' : ' ';
        text += hex.substr(i, 4);
    }
    return text;
}

std::optional<Key> parseKey(std::string_view text) {
    Key key{};
    std::size_t digits = 0;
    for (char c : text) {
        if (c == ' ' || c == '-' || c == '\n' || c == '\r' || c == '\t') continue;
        const int value = digitValue(c);
        if (value < 0 || digits == 2 * key.size()) return std::nullopt;
        key[digits / 2] = static_cast<unsigned char>(key[digits / 2] << 4 | value);
        ++digits;
    }
    if (digits != 2 * key.size()) return std::nullopt;
    return key;
}

}  // namespace folderkey

// SQLCipher 3 derives its 256-bit page key with PBKDF2-HMAC-SHA1 (64,000 rounds) from the
// password and the 16-byte salt at the start of the file. Deriving it here once per file salt
// and opening with the raw key skips that work on every later open.
#include "cipher_key.h"

#include <openssl/evp.h>

#include <array>
#include <fstream>
#include <map>
#include <mutex>

namespace sqlkit::detail {
namespace {

constexpr int kKdfIterations = 64000;
constexpr std::size_t kSaltSize = 16, kKeySize = 32;

std::string hexKey(const unsigned char* key) {
    static const char* digits = "0123456789ABCDEF";
    std::string out = "\"x'";
    for (std::size_t i = 0; i < kKeySize; ++i) {
        out += digits[key[i] >> 4];
        out += digits[key[i] & 0xF];
    }
    return out + "'\"";
}

}  // namespace

std::optional<std::string> rawKeyFor(const std::filesystem::path& file, std::string_view password) {
    std::array<char, kSaltSize> salt{};
    {
        std::ifstream in(file, std::ios::binary);
        if (!in.read(salt.data(), salt.size())) return std::nullopt;
    }
    static std::mutex mutex;
    static std::map<std::string, std::string> cache;
    std::string cacheKey = std::string(password) + '\0' + std::string(salt.data(), salt.size());
    std::lock_guard lock(mutex);
    if (auto it = cache.find(cacheKey); it != cache.end()) return it->second;
    unsigned char key[kKeySize];
    if (PKCS5_PBKDF2_HMAC_SHA1(password.data(), static_cast<int>(password.size()),
                               reinterpret_cast<const unsigned char*>(salt.data()), kSaltSize,
                               kKdfIterations, kKeySize, key) != 1)
        return std::nullopt;
    return cache.emplace(std::move(cacheKey), hexKey(key)).first->second;
}

}  // namespace sqlkit::detail

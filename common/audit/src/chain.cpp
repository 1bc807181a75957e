#include "audit/chain.h"

#include <openssl/sha.h>

namespace audit {
namespace {

void addField(std::string& out, const std::string& field) {
    out += std::to_string(field.size());
    out += ':';
    out += field;
    out += ';';
}

}  // namespace

std::string rowHash(const std::string& previous, const Row& row) {
    std::string content = previous;
    addField(content, std::to_string(row.seq));
    for (const std::string* field : textFields(row)) addField(content, *field);
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(content.data()), content.size(), digest);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 0xf];
    }
    return hex;
}

std::optional<std::size_t> firstBrokenRow(const std::vector<Row>& rows) {
    std::string previous = kFirstPrevious;
    long long seq = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].seq != seq + 1 || rows[i].hash != rowHash(previous, rows[i])) return i;
        previous = rows[i].hash;
        seq = rows[i].seq;
    }
    return std::nullopt;
}

}  // namespace audit

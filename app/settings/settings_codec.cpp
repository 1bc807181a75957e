#include "settings/settings_codec.h"

#include <algorithm>
#include <cstring>

namespace settings {
namespace {

// Calls visit(offset, field) for every stored field of `block` in file order, with field a
// text (char array) or an integer. Encoding and decoding share this one walk of the layout.
template <typename Block, typename Visit>
void forEachStoredField(Block& block, Visit&& visit) {
    visit(offsetof(SettingsBlock, reservedText), block.reservedText);
    visit(offsetof(SettingsBlock, comment), block.comment);
    visit(offsetof(SettingsBlock, businessType), block.businessType);
    visit(offsetof(SettingsBlock, prescriberIndex), block.prescriberIndex);
    visit(offsetof(SettingsBlock, pharmacistIndex), block.pharmacistIndex);
    visit(offsetof(SettingsBlock, saveHistory), block.saveHistory);
    visit(offsetof(SettingsBlock, reservedFlag), block.reservedFlag);
    visit(offsetof(SettingsBlock, pharmacyName), block.pharmacyName);
    visit(offsetof(SettingsBlock, patientOrder), block.patientOrder);
    visit(offsetof(SettingsBlock, autoDosage), block.autoDosage);
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 3; ++i)
            visit(offsetof(SettingsBlock, reservedTriples) + (t * 3 + i) * 4,
                  block.reservedTriples[t][i]);
    for (int i = 0; i < SettingsBlock::kStoredOptionCount; ++i)
        visit(offsetof(SettingsBlock, options) + i * 4, block.options[i]);
}

struct Encoder {
    SettingsImage& image;
    template <std::size_t N>
    void operator()(std::size_t offset, const char (&text)[N]) const {
        std::memcpy(image.data() + offset, text, N);
    }
    void operator()(std::size_t offset, std::int32_t value) const {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
    }
};

struct Decoder {
    const SettingsImage& image;
    template <std::size_t N>
    void operator()(std::size_t offset, char (&text)[N]) const {
        std::memcpy(text, image.data() + offset, N);
    }
    void operator()(std::size_t offset, std::int32_t& value) const {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) bits |= std::uint32_t(image[offset + i]) << (8 * i);
        value = static_cast<std::int32_t>(bits);
    }
};

}  // namespace

SettingsImage encodeSettings(const SettingsBlock& block) {
    SettingsImage image{};
    forEachStoredField(block, Encoder{image});
    return image;
}

SettingsBlock decodeSettings(std::span<const unsigned char> bytes) {
    SettingsImage image{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), kSettingsReadSize), image.begin());
    SettingsBlock block{};
    forEachStoredField(block, Decoder{image});
    return block;
}

}  // namespace settings

// The settings block: the operator's choices that outlive a run, in the layout of the user
// settings file (the in-memory struct mirrors the file byte for byte; the file itself is read
// and written field by field in little-endian order, see settings_codec.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace settings {

// Meaningful entries of SettingsBlock::options; the others are reserved. From index 20 on the
// options are switches this program adds: 0 is off, so a file written before they existed reads
// as all off, and the slots are zero in the files of programs that do not know them.
enum SettingsOption : int {
    kOptionPrintColour = 1,     // 0 monochrome (モノクロ), 1 colourful (カラフル)
    kOptionPrintComment = 2,    // set to 1 by the page composition before use
    kOptionDrugListOrder = 4,   // 0 by drug name (薬剤名順), 1 by N code (Ｎコード順)
    kOptionHandbookCodes = 20,  // 1 = お薬手帳QRを印刷する: the e-medication-handbook codes
    kOptionPictograms = 21,     // 1 = usage pictograms beside each drug's usage
    kOptionGenericInfo = 22,    // 1 = generic-drug information under each drug's name
    kOptionLargePrint = 23,     // 1 = the whole page set about 1.4 times larger
    kOptionStickerWidth = 24,   // お薬手帳 sticker roll width: 0 = 62 mm, else 58 or 80 (mm)
};

struct SettingsBlock {
    static constexpr int kOptionCount = 200;
    // Only these leading options are read from the file and written to it; the rest are always
    // stored as zero.
    static constexpr int kStoredOptionCount = kOptionStickerWidth + 1;

    char reservedText[1000];       // stays empty
    char comment[1000];            // Shift-JIS, printed on every page; lines separated by CR LF
    std::int32_t businessType;     // 0 hospital or clinic, 1 dispensing pharmacy
    std::int32_t prescriberIndex;  // position in the main window's prescriber list
    std::int32_t pharmacistIndex;  // position in the pharmacist list
    std::int32_t saveHistory;      // 1 = leaflets go into the medication history
    std::int32_t reservedFlag;
    char pharmacyName[100];     // Shift-JIS
    std::int32_t patientOrder;  // 0 by patient ID, 1 by patient name
    std::int32_t autoDosage;    // 1 = usage texts are composed automatically
    std::int32_t reservedTriples[4][3];
    std::int32_t options[kOptionCount];

    friend bool operator==(const SettingsBlock&, const SettingsBlock&) = default;
};

static_assert(offsetof(SettingsBlock, reservedText) == 0);
static_assert(offsetof(SettingsBlock, comment) == 1000);
static_assert(offsetof(SettingsBlock, businessType) == 2000);
static_assert(offsetof(SettingsBlock, prescriberIndex) == 2004);
static_assert(offsetof(SettingsBlock, pharmacistIndex) == 2008);
static_assert(offsetof(SettingsBlock, saveHistory) == 2012);
static_assert(offsetof(SettingsBlock, reservedFlag) == 2016);
static_assert(offsetof(SettingsBlock, pharmacyName) == 2020);
static_assert(offsetof(SettingsBlock, patientOrder) == 2120);
static_assert(offsetof(SettingsBlock, autoDosage) == 2124);
static_assert(offsetof(SettingsBlock, reservedTriples) == 2128);
static_assert(offsetof(SettingsBlock, reservedTriples[1]) == 2140);
static_assert(offsetof(SettingsBlock, reservedTriples[2]) == 2152);
static_assert(offsetof(SettingsBlock, reservedTriples[3]) == 2164);
static_assert(offsetof(SettingsBlock, options) == 2176);
static_assert(sizeof(SettingsBlock) == 2976);

// Bytes of a file written by Save, and the leading part of it that Load reads.
inline constexpr std::size_t kSettingsFileSize = sizeof(SettingsBlock);
inline constexpr std::size_t kSettingsReadSize =
    offsetof(SettingsBlock, options) + SettingsBlock::kStoredOptionCount * sizeof(std::int32_t);
static_assert(kSettingsReadSize == 2276);

// Whether the leaflets carry the e-medication-handbook codes.
inline bool handbookCodesOn(const SettingsBlock& block) {
    return block.options[kOptionHandbookCodes] == 1;
}
inline void setHandbookCodes(SettingsBlock& block, bool on) {
    block.options[kOptionHandbookCodes] = on ? 1 : 0;
}

// Whether the leaflets show the usage pictograms.
inline bool pictogramsOn(const SettingsBlock& block) {
    return block.options[kOptionPictograms] == 1;
}
inline void setPictograms(SettingsBlock& block, bool on) {
    block.options[kOptionPictograms] = on ? 1 : 0;
}

// Whether the leaflets carry the generic-drug information.
inline bool genericInfoOn(const SettingsBlock& block) {
    return block.options[kOptionGenericInfo] == 1;
}

// Whether the leaflets are printed in large print.
inline bool largePrintOn(const SettingsBlock& block) {
    return block.options[kOptionLargePrint] == 1;
}

}  // namespace settings

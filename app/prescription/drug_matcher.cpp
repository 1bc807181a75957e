#include "prescription/drug_matcher.h"

#include "sjis/sjis.h"

namespace prescription {

namespace {

constexpr std::size_t kYjCodeLength = 12;
constexpr std::size_t kReceiptCodeLength = 9;
// A general-name code shares its first nine characters with the YJ codes of its products.
constexpr std::size_t kSharedPrefixLength = 9;

}  // namespace

std::string nameKey(std::string_view name) {
    return sjis::nameKey(name);
}

std::string matchDescription(const DrugMatch& match) {
    switch (match.method) {
        case MatchMethod::kYjCode:
            return "YJコード";
        case MatchMethod::kReceiptCode:
            return "レセ電コード";
        case MatchMethod::kGeneralNameCode:
            return "一般名コード（候補" + std::to_string(match.candidates.size()) + "件）";
        case MatchMethod::kName:
            if (match.drug) return "薬品名";
            return "薬品名（候補" + std::to_string(match.candidates.size()) + "件）";
        case MatchMethod::kUnmatched:
            break;
    }
    return "未照合";
}

DrugMatch DrugMatcher::match(const Drug& drug) const {
    const std::string_view code = drug.code;
    switch (static_cast<CodeKind>(drug.codeKind)) {
        case CodeKind::kYj:
            if (code.size() == kYjCodeLength) {
                if (auto found = catalogue_.byYjCode(code)) {
                    return {MatchMethod::kYjCode, std::move(found), {}};
                }
            }
            break;
        case CodeKind::kReceipt:
            if (auto found = byReceiptCode(code)) {
                return {MatchMethod::kReceiptCode, std::move(found), {}};
            }
            break;
        case CodeKind::kGeneralName:
            if (code.size() == kYjCodeLength) {
                std::vector<CatalogueDrug> candidates =
                    catalogue_.byYjPrefix(code.substr(0, kSharedPrefixLength));
                if (!candidates.empty()) {
                    DrugMatch match{MatchMethod::kGeneralNameCode, std::nullopt,
                                    std::move(candidates)};
                    if (match.candidates.size() == 1) match.drug = match.candidates.front();
                    return match;
                }
            }
            break;
        default:
            break;
    }
    return byName(drug.name);
}

std::optional<CatalogueDrug> DrugMatcher::byReceiptCode(std::string_view code) const {
    if (code.size() != kReceiptCodeLength) return std::nullopt;
    const std::optional<CodeMapEntry> entry = codeMap_.byReceiptCode(code);
    if (!entry || entry->yjCode.empty()) return std::nullopt;
    return catalogue_.byYjCode(entry->yjCode);
}

DrugMatch DrugMatcher::byName(std::string_view name) const {
    const std::string key = nameKey(name);
    if (key.empty()) return {};
    std::vector<CatalogueDrug> found = catalogue_.byNameKey(key);
    if (found.empty()) return {};
    DrugMatch match{MatchMethod::kName, std::nullopt, {}};
    if (found.size() == 1) {
        match.drug = std::move(found.front());
    } else {
        match.candidates = std::move(found);
    }
    return match;
}

}  // namespace prescription

#include "prescriptionfill/catalogue_source.h"

#include <algorithm>

#include "prescription/drug_matcher.h"
#include "sjis/sjis.h"

namespace prescription {

namespace {

CatalogueDrug catalogueDrug(data::DrugBrief&& d) {
    return {std::move(d.yjcode), std::move(d.name), std::move(d.form), std::move(d.code)};
}

// The CP932 character of `s` at `i`.
std::string_view charAt(std::string_view s, std::size_t i) {
    const bool doubleByte = sjis::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
    return s.substr(i, doubleByte ? 2 : 1);
}

void addPrefixes(std::string_view key, std::size_t at, int depth, const std::string& start,
                 std::vector<std::string>& out) {
    if (depth == 0 || at == key.size()) {
        out.push_back(start);
        return;
    }
    // A space of either width leaves the key where it was; a character of the key may be
    // written in either width, and a half-width kana with the mark after it as one character.
    static const std::string kFullSpace = sjis::fromUtf8("\u3000");
    for (const std::string& space : {std::string(" "), kFullSpace})
        addPrefixes(key, at, depth - 1, start + space, out);
    const std::string_view c = charAt(key, at);
    for (const std::string& spelling : {std::string(c), sjis::toFullWidth(c)})
        addPrefixes(key, at + c.size(), depth - 1, start + spelling, out);
    if (at + c.size() < key.size()) {
        const std::string_view mark = charAt(key, at + c.size());
        const std::string joined = sjis::toFullWidth(std::string(c) + std::string(mark));
        if (joined != sjis::toFullWidth(c) + sjis::toFullWidth(mark))
            addPrefixes(key, at + c.size() + mark.size(), depth - 1, start + joined, out);
    }
}

}  // namespace

std::vector<std::string> namePrefixes(std::string_view key, int depth) {
    std::vector<std::string> prefixes;
    addPrefixes(key, 0, depth, "", prefixes);
    std::sort(prefixes.begin(), prefixes.end());
    prefixes.erase(std::unique(prefixes.begin(), prefixes.end()), prefixes.end());
    return prefixes;
}

std::vector<data::DrugBrief> CatalogueSource::startingWith(
    data::StartOf column, const std::vector<std::string>& prefixes) const {
    std::vector<data::DrugBrief> found;
    if (catalogue_.startingWith(column, prefixes, found) != data::DataResult::kDone) found.clear();
    return found;
}

std::optional<CatalogueDrug> CatalogueSource::byYjCode(std::string_view yjCode) const {
    data::DrugBrief drug;
    if (catalogue_.brief(std::string(yjCode), drug) != data::DataResult::kDone) return std::nullopt;
    return catalogueDrug(std::move(drug));
}

std::vector<CatalogueDrug> CatalogueSource::byYjPrefix(std::string_view prefix) const {
    std::vector<CatalogueDrug> found;
    for (data::DrugBrief& d : startingWith(data::StartOf::YjCode, {std::string(prefix)}))
        found.push_back(catalogueDrug(std::move(d)));
    return found;
}

std::vector<CatalogueDrug> CatalogueSource::byNameKey(std::string_view key) const {
    std::vector<CatalogueDrug> found;
    std::vector<data::DrugBrief> keyed;
    switch (catalogue_.byNameKey(std::string(key), keyed)) {
        case data::DataResult::kDone:
            for (data::DrugBrief& d : keyed) found.push_back(catalogueDrug(std::move(d)));
            return found;
        case data::DataResult::kFailed:
            return found;
        case data::DataResult::kNotFound:
            break;
    }
    // Without name keys: two characters narrow a 40,000-drug catalogue to a few dozen names to
    // compare.
    constexpr int kPrefixDepth = 2;
    for (data::DrugBrief& d :
         startingWith(data::StartOf::ProductName, namePrefixes(key, kPrefixDepth))) {
        if (nameKey(d.name) == key) found.push_back(catalogueDrug(std::move(d)));
    }
    return found;
}

std::optional<CodeMapEntry> CatalogueSource::byReceiptCode(std::string_view receiptCode) const {
    DrugCodeMapEntry entry{};
    if (catalogue_.codeMapEntry(std::string(receiptCode), entry) != data::DataResult::kDone)
        return std::nullopt;
    return CodeMapEntry{entry.YJCODE, entry.generalNameCode, entry.generalName};
}

}  // namespace prescription

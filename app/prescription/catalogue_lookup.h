// What drug matching needs from the drug catalogue and from the code map filled from the public
// drug master, as small interfaces: the program's catalogue face implements them over the drug
// file, tests over a few rows in memory. Texts are CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prescription {

struct CatalogueDrug {
    std::string yjCode;
    std::string productName;
    std::string form;  // ZAIKEI
    std::string code;  // the N code
};

class CatalogueLookup {
  public:
    virtual ~CatalogueLookup() = default;

    // The drug with exactly this YJ code.
    virtual std::optional<CatalogueDrug> byYjCode(std::string_view yjCode) const = 0;
    // The drugs whose YJ code starts with `prefix`, in YJ code order.
    virtual std::vector<CatalogueDrug> byYjPrefix(std::string_view prefix) const = 0;
    // The drugs whose product name has nameKey(name) == `key` (see drug_matcher.h).
    virtual std::vector<CatalogueDrug> byNameKey(std::string_view key) const = 0;
};

// One row of the code map: what a レセ電 code stands for.
struct CodeMapEntry {
    std::string yjCode;
    std::string generalNameCode;
    std::string generalName;  // 一般名処方の標準的な記載
};

class CodeMap {
  public:
    virtual ~CodeMap() = default;

    virtual std::optional<CodeMapEntry> byReceiptCode(std::string_view receiptCode) const = 0;
};

}  // namespace prescription

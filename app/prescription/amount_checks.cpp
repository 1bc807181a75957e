#include "prescription/amount_checks.h"

namespace prescription {

namespace {

bool isInternal(FormKind form) {
    return form == FormKind::kInternal || form == FormKind::kInternalDrops;
}

std::string shown(const Amount& amount) {
    return "（" + amount.text() + "）";
}

// The uneven and per-intake amounts against the drug record's amount, which is a day's for
// internal RPs and one intake's for 頓服; other forms write a total and are not compared.
void checkAgainstRecord(const Rp& rp, Drug& drug) {
    const bool internal = isInternal(rp.form);
    if (!internal && rp.form != FormKind::kAsNeeded) return;
    if (internal && !drug.unevenAmounts.empty()) {
        Amount sum = drug.unevenAmounts.front();
        for (std::size_t i = 1; i < drug.unevenAmounts.size(); ++i)
            sum = sum.plus(drug.unevenAmounts[i]);
        if (!(sum == drug.amount)) {
            drug.checks.push_back("不均等の分量の合計" + shown(sum) + "が１日量" +
                                  shown(drug.amount) + "と合いません。");
        }
    }
    if (drug.perIntake.empty()) return;
    if (!internal) {
        if (!(drug.perIntake == drug.amount)) {
            drug.checks.push_back("１回服用量" + shown(drug.perIntake) + "が薬品の分量" +
                                  shown(drug.amount) + "と合いません。");
        }
        return;
    }
    const int intakes = drug.intakesPerDay > 0 ? drug.intakesPerDay : rp.timesPerDay;
    if (intakes > 0 && !(drug.perIntake.times(intakes) == drug.amount)) {
        drug.checks.push_back("１回服用量" + shown(drug.perIntake) + "の１日" +
                              std::to_string(intakes) + "回分が１日量" + shown(drug.amount) +
                              "と合いません。");
    }
}

}  // namespace

void checkAmounts(Prescription& prescription) {
    for (Rp& rp : prescription.rps) {
        for (Drug& drug : rp.drugs) {
            if (drug.amount.empty()) continue;  // unreadable: already checked
            if (drug.amount.isZero()) drug.checks.emplace_back("分量が0です。");
            checkAgainstRecord(rp, drug);
        }
    }
}

}  // namespace prescription

// Records of the RP groups: 101 (form, quantity), 102 (split dispensing), 111 and 181 (usage),
// and of their drugs: 201 (drug), 221 (uneven amounts), 241 (amount per intake), 281 (notes).
#include <algorithm>

#include "prescription/record_context.h"
#include "prescription/record_layouts.h"

namespace prescription {

namespace {

Drug* findDrug(Rp& rp, int serial) {
    const auto it = std::find_if(rp.drugs.begin(), rp.drugs.end(),
                                 [serial](const Drug& drug) { return drug.serial == serial; });
    return it == rp.drugs.end() ? nullptr : &*it;
}

// The RP a usage or drug-level record belongs to; nullptr, with a warning, when there is none.
Rp* rpOf(std::string_view number, const RecordContext& context, std::string_view record) {
    const std::optional<int> value = toNumber(number);
    Rp* rp = value ? context.findRp(*value) : nullptr;
    if (!rp)
        context.warn(std::string(record) + "のRP番号" + quoted(number) +
                     "に合う剤形がありません。");
    return rp;
}

// The drug a 221, 241 or 281 record belongs to; nullptr, with a warning, when there is none.
Drug* drugOf(const Fields& fields, const RecordContext& context, std::string_view record) {
    Rp* rp = rpOf(fieldAt(fields, 0), context, record);
    if (!rp) return nullptr;
    const std::optional<int> serial = toNumber(fieldAt(fields, 1));
    Drug* drug = serial ? findDrug(*rp, *serial) : nullptr;
    if (!drug) {
        context.warn(std::string(record) + "の薬品連番" + quoted(fieldAt(fields, 1)) +
                     "に合う薬品がありません。");
    }
    return drug;
}

FormKind formKindOf(int kind) {
    return kind >= 1 && kind <= 6 ? static_cast<FormKind>(kind) : FormKind::kUnknown;
}

// A number field that the reading cannot do without: the refusal when it is empty or not a
// number.
Refusal requireNumber(std::string_view text, std::string_view what, int& value) {
    if (text.empty()) return std::string(what) + "がありません。";
    const std::optional<int> number = toNumber(text);
    if (!number) return std::string(what) + quoted(text) + "が数字ではありません。";
    value = *number;
    return std::nullopt;
}

// Marks every drug of the RP, those read and those to come, for the pharmacist to check.
void markRp(Rp& rp, const std::string& check) {
    rp.checks.push_back(check);
    for (Drug& drug : rp.drugs) drug.checks.push_back(check);
}

std::string countText(std::size_t count) {
    return std::to_string(count) + "個";
}

// The fields of a drug record read in their layout.
void readDrugFields(Drug& drug, const DrugFields& f, std::size_t count,
                    const RecordContext& context) {
    drug.amount = Amount::parse(f.amount).value_or(Amount());
    drug.potency = f.potency == "2";
    drug.codeKind = toNumber(f.codeKind).value_or(0);
    drug.code = f.code;
    drug.name = f.name;
    drug.unit = f.unit;
    if (f.shortened) {
        drug.checks.push_back("薬品レコードの項目が省かれています（" + countText(count) +
                              "）。読み取った内容を処方箋と照らして確かめてください。");
    }
    if (drug.name.empty() && drug.code.empty()) context.warn("薬品名も薬品コードもありません。");
    if (drug.unit.empty()) context.warn("薬品の単位名がありません。");
}

// Why a drug record fits no layout; its amount is not read.
std::string unfittingReason(const Fields& f) {
    const std::string_view amount = fieldAt(f, 6);
    if (f.size() < 7 || (f.size() == 9 && amount.empty()))
        return "薬品レコードに分量がありません。";
    if (f.size() == 9 && !isAmount(amount)) {
        return "薬品レコードの分量" + quoted(amount) + "が数値ではありません。";
    }
    return "薬品レコードの" + countText(f.size()) + "の項目を読み分けられません。";
}

// A drug record whose fields fit no layout: nothing is read into a meaning it may not have.
// The name is the first word after the RP number and serial, to show the pharmacist which drug.
void readUnfitting(Drug& drug, const Fields& f) {
    for (std::size_t i = 2; i < f.size(); ++i) {
        if (isWord(f[i]) && !isCode(f[i])) {
            drug.name = f[i];
            break;
        }
    }
    drug.checks.push_back(unfittingReason(f) + "分量を処方箋で確かめてください。");
}

}  // namespace

Refusal readForm(const Fields& fields, const RecordContext& context) {
    const FormFields f = formLayout(fields);
    Rp rp;
    if (Refusal refusal = requireNumber(f.rp, "剤形レコードのRP番号", rp.number)) return refusal;
    if (context.findRp(rp.number)) {
        return "RP番号 " + std::to_string(rp.number) + " の剤形レコードが重複しています。";
    }
    const std::optional<int> kind = toNumber(f.kind);
    rp.form = formKindOf(kind.value_or(0));
    if (!kind || (rp.form == FormKind::kUnknown && *kind != 9)) {
        context.warn("剤形区分" + quoted(f.kind) + "を読めません。");
    }
    rp.formName = f.formName;
    if (const std::optional<int> quantity = toNumber(f.quantity)) {
        rp.quantity = *quantity;
        const bool internal = rp.form == FormKind::kInternal || rp.form == FormKind::kInternalDrops;
        if (rp.quantity == 0 && internal) markRp(rp, "内服の調剤数量が0です。");
    } else if (f.quantity.empty()) {
        context.warn("調剤数量がありません。");
        markRp(rp, "剤形レコードに調剤数量がありません。");
    } else {
        context.warn("調剤数量" + quoted(f.quantity) + "を読めません。");
        markRp(rp, "調剤数量" + quoted(f.quantity) + "を読めません。");
    }
    context.addRp(std::move(rp));
    return std::nullopt;
}

void readSplitQuantity(const Fields& fields, const RecordContext& context) {
    Rp* rp = rpOf(fieldAt(fields, 0), context, "分割指示レコード");
    if (!rp) return;
    const std::optional<int> part = toNumber(fieldAt(fields, 1));
    const std::optional<int> total = toNumber(fieldAt(fields, 2));
    if (!part || *part == 0) {
        context.warn("分割調剤の数量" + quoted(fieldAt(fields, 1)) + "を読めません。");
        markRp(*rp, "分割調剤の今回の数量を読めません。");
        return;
    }
    rp->quantity = *part;
    rp->totalQuantity = total.value_or(0);
}

void readUsage(const Fields& fields, const RecordContext& context) {
    const UsageFields f = usageLayout(fields);
    Rp* rp = rpOf(f.rp, context, "用法レコード");
    if (!rp) return;
    if (!rp->usage.empty()) {
        context.warn("RP番号 " + std::to_string(rp->number) + " の二つ目の用法は読みません。");
        return;
    }
    if (f.text.empty()) context.warn("用法名称がありません。");
    rp->usageCode = f.code;
    rp->usage = f.text;
    const std::optional<int> times = toNumber(f.timesPerDay);
    rp->timesPerDay = times.value_or(0);
    // Salves and injections are given no times per day: 0 is what they write.
    const bool zeroIsNormal = rp->form == FormKind::kExternal || rp->form == FormKind::kInjection;
    if (!f.timesPerDay.empty() && rp->timesPerDay == 0 && !(times && zeroIsNormal)) {
        context.warn("１日回数" + quoted(f.timesPerDay) + "を読めません。");
    }
    if (f.shortened) {
        markRp(*rp, "用法レコードの項目が省かれています（" + countText(fields.size()) +
                        "）。用法を処方箋と照らして確かめてください。");
    }
}

void readUsageSupplement(const Fields& fields, const RecordContext& context) {
    Rp* rp = rpOf(fieldAt(fields, 0), context, "用法補足レコード");
    if (!rp) return;
    const std::string_view text = fieldAt(fields, 3);
    if (text.empty()) {
        context.warn("用法補足の文がありません。");
        return;
    }
    rp->supplements.emplace_back(text);
}

Refusal readDrug(const Fields& fields, const RecordContext& context) {
    int rpNumber = 0;
    if (Refusal refusal = requireNumber(fieldAt(fields, 0), "薬品レコードのRP番号", rpNumber))
        return refusal;
    Rp* rp = context.findRp(rpNumber);
    if (!rp) {
        return "薬品レコードのRP番号 " + std::to_string(rpNumber) +
               " に剤形レコード（101）がありません。";
    }
    Drug drug;
    drug.line = context.line;
    if (Refusal refusal =
            requireNumber(fieldAt(fields, 1), "薬品レコードのRP内連番", drug.serial)) {
        return refusal;
    }
    if (findDrug(*rp, drug.serial)) {
        return "RP番号 " + std::to_string(rpNumber) + " の薬品連番 " + std::to_string(drug.serial) +
               " が重複しています。";
    }
    drug.checks = rp->checks;
    if (const std::optional<DrugFields> layout = drugLayout(fields)) {
        readDrugFields(drug, *layout, fields.size(), context);
    } else {
        readUnfitting(drug, fields);
    }
    rp->drugs.push_back(std::move(drug));
    return std::nullopt;
}

void readUnevenAmounts(const Fields& fields, const RecordContext& context) {
    Drug* drug = drugOf(fields, context, "不均等レコード");
    if (!drug) return;
    std::vector<Amount> amounts;
    for (std::size_t i = 2; i < 7 && !fieldAt(fields, i).empty(); ++i) {
        const std::optional<Amount> amount = Amount::parse(fieldAt(fields, i));
        if (!amount) {
            context.warn("不均等の分量" + quoted(fieldAt(fields, i)) + "を読めません。");
            return;
        }
        amounts.push_back(*amount);
    }
    if (amounts.size() < 2) {
        context.warn("不均等の分量が二つ以上ありません。");
        return;
    }
    drug->unevenAmounts = std::move(amounts);
}

void readPerIntakeAmount(const Fields& fields, const RecordContext& context) {
    Drug* drug = drugOf(fields, context, "１回服用量レコード");
    if (!drug) return;
    const std::optional<Amount> amount = Amount::parse(fieldAt(fields, 2));
    if (!amount) {
        context.warn("１回服用量" + quoted(fieldAt(fields, 2)) + "を読めません。");
        return;
    }
    drug->perIntake = *amount;
    drug->intakesPerDay = toNumber(fieldAt(fields, 3)).value_or(0);
}

void readDrugNote(const Fields& fields, const RecordContext& context) {
    Drug* drug = drugOf(fields, context, "薬品補足レコード");
    if (!drug) return;
    drug->notes.push_back(
        {toNumber(fieldAt(fields, 3)).value_or(0), std::string(fieldAt(fields, 4))});
}

}  // namespace prescription

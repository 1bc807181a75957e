// Records of the RP groups: 101 (form, quantity), 111 and 181 (usage), and of their drugs:
// 201 (drug), 221 (uneven amounts), 241 (amount per intake), 281 (notes).
#include <algorithm>

#include "prescription/record_context.h"
#include "prescription/record_layouts.h"

namespace prescription {

namespace {

Rp* findRp(Prescription& prescription, int number) {
    const auto it = std::find_if(prescription.rps.begin(), prescription.rps.end(),
                                 [number](const Rp& rp) { return rp.number == number; });
    return it == prescription.rps.end() ? nullptr : &*it;
}

Drug* findDrug(Rp& rp, int serial) {
    const auto it = std::find_if(rp.drugs.begin(), rp.drugs.end(),
                                 [serial](const Drug& drug) { return drug.serial == serial; });
    return it == rp.drugs.end() ? nullptr : &*it;
}

// The RP a usage or drug-level record belongs to; nullptr, with a warning, when there is none.
Rp* rpOf(std::string_view number, const RecordContext& context, std::string_view record) {
    const std::optional<int> value = toNumber(number);
    Rp* rp = value ? findRp(context.prescription, *value) : nullptr;
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

}  // namespace

Refusal readForm(const Fields& fields, const RecordContext& context) {
    const FormFields f = formLayout(fields);
    Rp rp;
    if (Refusal refusal = requireNumber(f.rp, "剤形レコードのRP番号", rp.number)) return refusal;
    if (findRp(context.prescription, rp.number)) {
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
    } else if (f.quantity.empty()) {
        context.warn("調剤数量がありません。");
    } else {
        context.warn("調剤数量" + quoted(f.quantity) + "を読めません。");
    }
    context.prescription.rps.push_back(std::move(rp));
    return std::nullopt;
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
    rp->timesPerDay = toNumber(f.timesPerDay).value_or(0);
    if (!f.timesPerDay.empty() && rp->timesPerDay == 0) {
        context.warn("１日回数" + quoted(f.timesPerDay) + "を読めません。");
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
    const std::optional<DrugFields> layout = drugLayout(fields);
    if (!layout) {
        if (fields.size() < 7) return std::string("薬品レコードに分量がありません。");
        return "薬品レコードの" + std::to_string(fields.size()) + "個の項目を読み分けられません。";
    }
    const DrugFields& f = *layout;
    int rpNumber = 0;
    if (Refusal refusal = requireNumber(f.rp, "薬品レコードのRP番号", rpNumber)) return refusal;
    Rp* rp = findRp(context.prescription, rpNumber);
    if (!rp) {
        return "薬品レコードのRP番号 " + std::to_string(rpNumber) +
               " に剤形レコード（101）がありません。";
    }
    Drug drug;
    drug.line = context.line;
    if (Refusal refusal = requireNumber(f.serial, "薬品レコードのRP内連番", drug.serial)) {
        return refusal;
    }
    if (findDrug(*rp, drug.serial)) {
        return "RP番号 " + std::to_string(rpNumber) + " の薬品連番 " + std::to_string(drug.serial) +
               " が重複しています。";
    }
    if (f.amount.empty()) return std::string("薬品レコードに分量がありません。");
    const std::optional<Amount> amount = Amount::parse(f.amount);
    if (!amount) return "薬品レコードの分量" + quoted(f.amount) + "が数値ではありません。";
    drug.amount = *amount;
    drug.codeKind = toNumber(f.codeKind).value_or(0);
    drug.code = f.code;
    drug.name = f.name;
    drug.unit = f.unit;
    if (drug.name.empty() && drug.code.empty()) context.warn("薬品名も薬品コードもありません。");
    if (drug.unit.empty()) context.warn("薬品の単位名がありません。");
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

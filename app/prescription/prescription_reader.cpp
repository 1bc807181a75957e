#include "prescription/prescription_reader.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "prescription/amount_checks.h"
#include "prescription/dosage_reading.h"
#include "prescription/record_context.h"
#include "prescription/record_layouts.h"
#include "prescription/symbol_text.h"
#include "sjis/sjis.h"

namespace prescription {

namespace {

constexpr int kNewestVersion = 10;

// The fields (after the record number) of each record read, in its full layout. A last line
// that the text stops in with fewer fields than this was cut in the middle of the record.
const std::map<int, std::size_t> kFullFieldCount = {
    {1, 4},   {5, 3},   {11, 3},  {12, 1},   {13, 1},  {51, 1},  {101, 4},
    {111, 5}, {181, 6}, {201, 9}, {221, 12}, {241, 4}, {281, 6},
};

std::string lineMessage(int line, std::string_view message) {
    return std::to_string(line) + "行目: " + std::string(message);
}

// The version number of "JAHIS<n>", or 0.
int versionOf(std::string_view field) {
    constexpr std::string_view kPrefix = "JAHIS";
    if (!field.starts_with(kPrefix)) return 0;
    const std::optional<int> number = toNumber(field.substr(kPrefix.size()));
    return number && *number >= 1 && *number <= kNewestVersion ? *number : 0;
}

bool isCut(const TextLine& line, int record, const Fields& fields) {
    if (line.ended) return false;
    const auto full = kFullFieldCount.find(record);
    if (full != kFullFieldCount.end() && fields.size() < full->second &&
        !fitsShortenedLayout(record, fields)) {
        return true;
    }
    // A double-byte character cut in half.
    return sjis::cutLength(line.text, line.text.size()) != line.text.size();
}

class Reader {
  public:
    ReadResult read(std::string_view bytes) {
        const std::vector<TextLine> lines = splitLines(bytes);
        const auto first = std::find_if(lines.begin(), lines.end(),
                                        [](const TextLine& l) { return !l.text.empty(); });
        if (first == lines.end()) return refuse("処方箋のデータがありません。");
        versionText_ = splitFields(first->text).front();
        prescription_.version = versionOf(versionText_);
        if (prescription_.version == 0) return refuse(first->number, versionRefusal());
        for (auto line = first + 1; line != lines.end(); ++line) {
            if (line->text.empty()) continue;
            if (Refusal refusal = readLine(*line)) return refuse(line->number, *refusal);
            noteMarkedCharacters(*line);
        }
        const bool anyDrug = std::any_of(prescription_.rps.begin(), prescription_.rps.end(),
                                         [](const Rp& rp) { return !rp.drugs.empty(); });
        if (!anyDrug) return refuse("薬品のレコード（201）がありません。");
        checkAmounts(prescription_);
        checkEntryTexts();
        return {std::move(prescription_), {}};
    }

  private:
    // A drug whose dosage texts must be shortened for the print list is checked before it goes
    // in; the catalogue form is not known yet (the timings and a default amount text depend on
    // it, never the length of a written text).
    void checkEntryTexts() {
        for (Rp& rp : prescription_.rps) {
            for (Drug& drug : rp.drugs) {
                const std::vector<std::string> checks = dosageFor(rp, drug, "").checks;
                drug.checks.insert(drug.checks.end(), checks.begin(), checks.end());
            }
        }
    }

    // A line with characters shown as "■" or "〓" is named: on its drug when it is a drug's
    // record, else among the prescription's warnings.
    void noteMarkedCharacters(const TextLine& line) {
        std::string message;
        if (line.outsideCp932 > 0)
            message += "シフトJISで表せない文字があり、「■」で示しています。";
        if (line.invalidBytes > 0)
            message += "文字として読めないバイトがあり、「〓」で示しています。";
        if (message.empty()) return;
        message = lineMessage(line.number, message + "元の処方箋で確かめてください。");
        Drug* drug = drugOfLine(line.number);
        (drug ? drug->checks : prescription_.warnings).push_back(message);
    }

    Drug* drugOfLine(int line) {
        for (Rp& rp : prescription_.rps) {
            for (Drug& drug : rp.drugs) {
                if (drug.line == line) return &drug;
            }
        }
        return nullptr;
    }

    Refusal readLine(const TextLine& line) {
        const auto control = std::find_if(line.text.begin(), line.text.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
        if (control != line.text.end()) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(*control));
            return "制御文字（" + std::string(code) + "）が含まれています。";
        }
        const Fields all = splitFields(line.text);
        // The next symbol of a joined text may start with the version line again.
        if (all.front() == versionText_) return std::nullopt;
        if (versionOf(all.front()) != 0) {
            return "バージョン" + quoted(all.front()) + "が1行目の" + quoted(versionText_) +
                   "と違います。別の処方箋のシンボルが混ざっていないか確かめてください。";
        }
        const std::optional<int> record = toNumber(all.front());
        if (!record) return "レコード番号" + quoted(all.front()) + "が数字ではありません。";
        const Fields fields(all.begin() + 1, all.end());
        if (isCut(line, *record, fields)) return std::string("レコードが途中で切れています。");
        return dispatch(*record, fields, {prescription_, rpIndex_, line.number});
    }

    Refusal dispatch(int record, const Fields& fields, const RecordContext& context) {
        switch (record) {
            case 1:
                readInstitution(fields, context);
                break;
            case 4:
                readDepartment(fields, context);
                break;
            case 5:
                readPrescriber(fields, context);
                break;
            case 11:
                readPatientName(fields, context);
                break;
            case 12:
                readPatientSex(fields, context);
                break;
            case 13:
                readPatientBirth(fields, context);
                break;
            case 51:
                readIssueDate(fields, context);
                break;
            case 101:
                return readForm(fields, context);
            case 102:
                readSplitQuantity(fields, context);
                break;
            case 111:
                readUsage(fields, context);
                break;
            case 181:
                readUsageSupplement(fields, context);
                break;
            case 201:
                return readDrug(fields, context);
            case 221:
                readUnevenAmounts(fields, context);
                break;
            case 241:
                readPerIntakeAmount(fields, context);
                break;
            case 281:
                readDrugNote(fields, context);
                break;
            default:
                break;  // records a leaflet does not need
        }
        return std::nullopt;
    }

    std::string versionRefusal() const {
        if (versionText_.starts_with("JAHIS")) {
            return "バージョン" + quoted(versionText_) + "は読めません（JAHIS1～JAHIS" +
                   std::to_string(kNewestVersion) + "を読めます）。";
        }
        return "先頭にバージョン（JAHIS1～JAHIS" + std::to_string(kNewestVersion) +
               "）がありません。処方箋の２次元シンボルではないか、先頭が欠けています。";
    }

    static ReadResult refuse(std::string_view message) {
        return {std::nullopt, std::string(message)};
    }
    static ReadResult refuse(int line, std::string_view message) {
        return {std::nullopt, lineMessage(line, message)};
    }

    Prescription prescription_;
    RpIndex rpIndex_;
    std::string versionText_;
};

}  // namespace

ReadResult readPrescription(std::string_view bytes) {
    return Reader().read(bytes);
}

}  // namespace prescription

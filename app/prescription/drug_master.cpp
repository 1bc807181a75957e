#include "prescription/drug_master.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "prescription/record_fields.h"
#include "prescription/symbol_text.h"
#include "sjis/sjis.h"

namespace prescription {

namespace {

// The editions' column counts, newest first.
constexpr std::size_t kKnownLayouts[] = {42, 40, 35};

std::string knownLayoutsText() {
    std::string text;
    for (std::size_t columns : kKnownLayouts) {
        if (!text.empty()) text += "・";
        text += std::to_string(columns);
    }
    return text + "項目の版を読めます";
}

// The columns of one line; quotes around a column are allowed ("" inside one stands for a
// quote). nullopt, with the reason in `problem`, for a quote left open or a quote inside an
// unquoted column or after a closing one.
std::optional<std::vector<std::string>> splitColumns(std::string_view line, std::string& problem) {
    std::vector<std::string> columns(1);
    bool quoted = false, closed = false;
    const auto stray = [&] {
        problem = std::to_string(columns.size()) + "列目に余分な引用符（\"）があります。";
        return std::nullopt;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                columns.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                columns.back() += '"';
                ++i;
            } else {
                quoted = false;
                closed = true;
            }
        } else if (c == ',') {
            columns.emplace_back();
            closed = false;
        } else if (closed || (c == '"' && !columns.back().empty())) {
            return stray();
        } else if (c == '"') {
            quoted = true;
        } else {
            columns.back() += c;
        }
    }
    if (!quoted) return columns;
    problem = "引用符が閉じていません。";
    return std::nullopt;
}

// A price as the master writes it: digits with an optional fraction.
bool isPrice(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return isDigits(text);
    return isDigits(text.substr(0, point)) && isDigits(text.substr(point + 1));
}

std::string quotedColumn(std::string_view cp932) {
    return "「" + sjis::toUtf8(cp932.substr(0, sjis::cutLength(cp932, 30))) + "」";
}

}  // namespace

bool MasterReader::refuse(const std::string& message) {
    error_ = message;
    return false;
}

bool MasterReader::next(MasterRow& row) {
    if (!error_.empty()) return false;
    std::string line;
    while (std::getline(in_, line)) {
        ++line_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::erase(line, '\x1A');
        if (!line.empty()) break;
    }
    if (line.empty()) {
        return rows_ == 0 ? refuse("医薬品マスターに行がありません。") : false;
    }
    const std::string at = std::to_string(line_) + "行目: ";
    if (looksLikeUtf8(line)) {
        return refuse(at + "文字コードがCP932（Shift-JIS）ではありません。");
    }
    // A file whose lines end in CR alone reads as one line of every row's columns.
    if (line.find('\r') != std::string::npos) {
        return refuse(
            at + "行の区切りが CR だけです（CR LF か LF で区切られた医薬品マスターを読めます）。");
    }
    std::string problem;
    const std::optional<std::vector<std::string>> columns = splitColumns(line, problem);
    if (!columns) return refuse(at + problem);
    const std::size_t count = columns->size();
    if (columns_ == 0) {
        if (std::find(std::begin(kKnownLayouts), std::end(kKnownLayouts), count) ==
            std::end(kKnownLayouts)) {
            return refuse(at + "項目数 " + std::to_string(count) +
                          " の医薬品マスターは読めません（" + knownLayoutsText() + "）。");
        }
        columns_ = count;
    } else if (count != columns_) {
        return refuse(at + "項目数が " + std::to_string(count) + " で、ほかの行の " +
                      std::to_string(columns_) + " と違います。");
    }
    const auto column = [&](std::size_t number) {
        return number <= count ? (*columns)[number - 1] : std::string();
    };
    if (column(2) != "Y") {
        return refuse(at + "医薬品マスターの行ではありません（マスター種別" +
                      quotedColumn(column(2)) + "）。");
    }
    row = MasterRow{};
    row.line = line_;
    row.changeKind = column(1);
    row.receiptCode = column(3);
    row.productName = column(5);
    row.kanaName = column(7);
    row.unit = column(10);
    row.price = column(12);
    row.genericFlag = column(17);
    row.dosageFormClass = column(28);
    row.abolitionDate = column(31);
    row.yjCode = column(32);
    row.basicName = column(35);
    row.generalNameCode = column(37);
    row.standardGeneralName = column(38);
    if (row.receiptCode.size() != 9 || !isDigits(row.receiptCode)) {
        return refuse(at + "医薬品コード" + quotedColumn(row.receiptCode) +
                      "が９桁の数字ではありません。");
    }
    if (!isPrice(row.price))
        return refuse(at + "薬価" + quotedColumn(row.price) + "が数値ではありません。");
    for (const std::string* code : {&row.yjCode, &row.generalNameCode}) {
        if (!code->empty() && (code->size() != 12 || !isCode(*code))) {
            return refuse(at + "コード" + quotedColumn(*code) + "が12桁ではありません。");
        }
    }
    ++rows_;
    return true;
}

}  // namespace prescription

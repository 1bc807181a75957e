// Reading the public drug master: the current 42-column layout and the older shorter ones,
// and the refusals of files that are not a drug master in a layout we know.
#include "prescription/drug_master.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sjis/sjis.h"

namespace {

using prescription::MasterReader;
using prescription::MasterRow;

// The format note's example row, with its 42 columns.
constexpr std::string_view kExample =
    "0,Y,610406079,7,ガスター散２％,09,ｶﾞｽﾀｰｻﾝ2%,33,1,ｇ,1,9.50,0,0,0,0,0,0,0,0,0,1,0,0,0,0,0,1,,"
    "20260401,99999999,2325003B2029,001413000,0,ガスター散２％,0,2325003B2ZZZ,"
    "【般】ファモチジン散２％,2,0,0,1";

// The example row with only its first `columns` columns, and a different drug code.
std::string exampleRow(std::size_t columns, std::string_view code = "610406079") {
    std::string row;
    std::size_t start = 0;
    for (std::size_t i = 0; i < columns; ++i) {
        const std::size_t comma = kExample.find(',', start);
        std::string column(kExample.substr(start, comma - start));
        if (i == 2) column = code;
        row += (i ? "," : "") + column;
        start = comma + 1;
    }
    return row;
}

struct Read {
    std::vector<MasterRow> rows;
    std::string error;
    std::size_t columns = 0;
};

Read readAll(const std::string& utf8, bool convert = true) {
    std::istringstream in(convert ? sjis::fromUtf8(utf8) : utf8);
    MasterReader reader(in);
    Read read;
    MasterRow row;
    while (reader.next(row)) read.rows.push_back(row);
    read.error = reader.error();
    read.columns = reader.columnCount();
    return read;
}

TEST(DrugMaster, CurrentLayoutRowsWithCrLfAndQuotes) {
    const Read read = readAll(std::string(kExample) + "\r\n" + "\"1\",\"Y\",\"620000001\"" +
                              exampleRow(42).substr(13) + "\r\n\x1A");
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.columns, 42u);
    ASSERT_EQ(read.rows.size(), 2u);
    const MasterRow& r = read.rows[0];
    EXPECT_EQ(sjis::toUtf8(r.receiptCode + "|" + r.productName + "|" + r.kanaName + "|" + r.unit +
                           "|" + r.price + "|" + r.dosageFormClass + "|" + r.yjCode + "|" +
                           r.generalNameCode + "|" + r.standardGeneralName),
              "610406079|ガスター散２％|ｶﾞｽﾀｰｻﾝ2%|ｇ|9.50|1|2325003B2029|2325003B2ZZZ|"
              "【般】ファモチジン散２％");
    EXPECT_EQ(read.rows[1].changeKind, "1");
    EXPECT_EQ(read.rows[1].receiptCode, "620000001");
    EXPECT_EQ(read.rows[1].line, 2);
}

TEST(DrugMaster, OlderLayoutsLackTheNewerColumns) {
    Read read = readAll(exampleRow(35) + "\n" + exampleRow(35, "610406080") + "\n");
    EXPECT_EQ(read.error, "");
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[1].yjCode, "2325003B2029");
    EXPECT_EQ(sjis::toUtf8(read.rows[1].basicName), "ガスター散２％");
    EXPECT_EQ(read.rows[1].generalNameCode, "");
    read = readAll(exampleRow(40) + "\n");
    EXPECT_EQ(read.error, "") << "one row is a whole master";
    EXPECT_EQ(read.rows.at(0).generalNameCode, "2325003B2ZZZ");
}

TEST(DrugMaster, RefusesWhatIsNotAKnownDrugMaster) {
    EXPECT_EQ(readAll(exampleRow(41) + "\n").error,
              "1行目: 項目数 41 の医薬品マスターは読めません（42・40・35項目の版を読めます）。");
    Read read = readAll(std::string(kExample) + "\n" + exampleRow(40) + "\n");
    EXPECT_EQ(read.error, "2行目: 項目数が 40 で、ほかの行の 42 と違います。");
    EXPECT_EQ(read.rows.size(), 1u) << "the rows before are still read; the caller discards";
    EXPECT_EQ(readAll(std::string(kExample) + "\n", false).error,
              "1行目: 文字コードがCP932（Shift-JIS）ではありません。");
    EXPECT_EQ(readAll("").error, "医薬品マスターに行がありません。");
    std::string other = exampleRow(42);
    other[2] = 'S';
    EXPECT_EQ(readAll(other).error,
              "1行目: 医薬品マスターの行ではありません（マスター種別「S」）。");
    EXPECT_EQ(readAll(exampleRow(42, "61040607")).error,
              "1行目: 医薬品コード「61040607」が９桁の数字ではありません。");
    std::string price = exampleRow(42);
    price.replace(price.find("9.50"), 4, "9.5x");
    EXPECT_EQ(readAll(price).error, "1行目: 薬価「9.5x」が数値ではありません。");
    EXPECT_EQ(readAll("0,Y,\"610406079" + exampleRow(42).substr(13)).error,
              "1行目: 引用符が閉じていません。");
    // Line ends of CR alone and a quote inside a column are named, not counted as columns.
    EXPECT_EQ(
        readAll(std::string(kExample) + "\r" + std::string(kExample) + "\r").error,
        "1行目: 行の区切りが CR だけです（CR LF か LF で区切られた医薬品マスターを読めます）。");
    EXPECT_EQ(readAll("0,Y,610406079,1,ガスター\"散,3" + exampleRow(42).substr(13)).error,
              "1行目: 5列目に余分な引用符（\"）があります。");
}

}  // namespace

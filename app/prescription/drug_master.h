// Reads the public drug master of the claims-processing fund (y_ALLyyyymmdd.csv: CP932, comma
// separated, no header, one drug a row) into plain rows. A file has one layout throughout: the
// 42 columns of the current edition, or the 40 or 35 columns of earlier ones (the newer columns
// are appended at the end, so a column means the same in every edition). Any other column
// count, a row of another master, a code that is not one, or a file in UTF-8 is refused with a
// message naming the line.
#pragma once

#include <istream>
#include <string>

namespace prescription {

// Texts CP932 as in the file; columns an older edition lacks are empty.
struct MasterRow {
    int line = 0;
    std::string changeKind;       // column 1
    std::string receiptCode;      // 3: the 9-digit レセ電 code
    std::string productName;      // 5: kanji name with strength
    std::string kanaName;         // 7: half-width kana
    std::string unit;             // 10
    std::string price;            // 12: 薬価 per unit as written, e.g. "9.50"
    std::string genericFlag;      // 17: 後発品
    std::string dosageFormClass;  // 28: 1 internal, 4 injection, 6 external, ...
    std::string abolitionDate;    // 31: YYYYMMDD, 99999999 for none
    std::string yjCode;           // 32: 薬価基準収載医薬品コード (12 characters)
    std::string basicName;        // 35: basic kanji name
    std::string generalNameCode;  // 37: 一般名コード (12 characters)
    std::string
        standardGeneralName;  // 38: 一般名処方の標準的な記載, e.g. "【般】ファモチジン散２％"
};

class MasterReader {
  public:
    explicit MasterReader(std::istream& in) : in_(in) {}

    // Reads the next row; false at the end of the file and at a refused row (error() then
    // says why). A file without any row is refused too.
    bool next(MasterRow& row);

    // UTF-8, e.g. "3行目: 項目数 41 の医薬品マスターは読めません（…）。"; empty at a clean end.
    const std::string& error() const { return error_; }
    // The column count of the file's layout, once a row was read.
    std::size_t columnCount() const { return columns_; }
    int rowsRead() const { return rows_; }

  private:
    bool refuse(const std::string& message);

    std::istream& in_;
    int line_ = 0;
    int rows_ = 0;
    std::size_t columns_ = 0;
    std::string error_;
};

}  // namespace prescription

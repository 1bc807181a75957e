// The handbook text against the format's rules: record order and fields, CP932 with CR LF,
// escaping, byte limits cut on character boundaries, RPs and quantities.
#include "ehandbook/handbook_writer.h"

#include <gtest/gtest.h>

#include "cp932_texts.h"
#include "handbook_reading.h"

namespace {

using ehandbook::Drug;
using ehandbook::FormCode;
using ehandbook::HandbookInput;

Drug drug(std::string_view name, std::string_view usage, std::string_view days,
          FormCode form = FormCode::kInternal) {
    Drug d;
    d.name = cp932(name);
    d.amount = "2";
    d.unit = cp932("錠");
    d.yjcode = "2171901F2S93";
    d.usage = cp932(usage);
    d.days = cp932(days);
    d.form = form;
    return d;
}

HandbookInput dispensing() {
    HandbookInput input;
    input.patient.name = cp932("見本 花子");
    input.patient.sex = ehandbook::Sex::kFemale;
    input.patient.birthDate = "19580303";
    input.patient.notes = {{ehandbook::NoteKind::kAllergy, cp932("卵")}};
    input.dispensing.date = "20240109";
    input.dispensing.pharmacy = cp932("サンプル薬局");
    input.dispensing.pharmacist = cp932("薬剤 太郎");
    input.dispensing.prescriber = cp932("見本 一郎");
    input.dispensing.drugs = {drug("見本錠", "１日２回  朝夕食後に服用", "１４日分")};
    input.dispensing.drugs[0].note = cp932("１回１錠");
    return input;
}

// Field `index` of the first record numbered `number`.
std::string fieldOf(const std::string& text, const std::string& number, std::size_t index) {
    for (const Fields& record : readRecords(text))
        if (record[0] == number) return index < record.size() ? record[index] : "<missing>";
    return "<no record>";
}

TEST(HandbookWriter, WritesEveryRecordInTheFormatsOrderWithItsFields) {
    const std::string text = ehandbook::handbookText(dispensing());
    EXPECT_EQ(sjis::toUtf8(text),
              "JAHISTC08,1\r\n"
              "1,見本 花子,2,19580303,,,,,,,\r\n"
              "2,1,卵,1\r\n"
              "5,20240109,1\r\n"
              "11,サンプル薬局,,4,,,,,1\r\n"
              "15,薬剤 太郎,,1\r\n"
              "55,見本 一郎,,1\r\n"
              "201,1,見本錠,2,錠,4,2171901F2S93,1,,,\r\n"
              "281,1,１回１錠,1\r\n"
              "301,1,１日２回  朝夕食後に服用,14,日分,1,1,,1\r\n");
    EXPECT_EQ(sjis::fromUtf8(sjis::toUtf8(text)), text) << "the text is CP932";
}

// No record 1 without a sex or a birth date, as both are required and have no "unknown" code.
TEST(HandbookWriter, LeavesOutWhatIsNotKnownButKeepsTheFieldCounts) {
    HandbookInput input = dispensing();
    input.patient = {cp932("見本 花子"), ehandbook::Sex::kUnknown, "", {{}}};
    const std::vector<Drug> drugs = input.dispensing.drugs;
    input.dispensing = {};
    input.dispensing.date = "20240109";
    input.dispensing.dispensingPharmacy = false;
    input.dispensing.drugs = drugs;
    input.dispensing.drugs[0].yjcode = "USER000A0001";  // a user's own code is no YJ code
    input.dispensing.drugs[0].note.clear();
    const std::string text = ehandbook::handbookText(input);
    EXPECT_EQ(sjis::toUtf8(text),
              "JAHISTC08,1\r\n"
              "5,20240109,1\r\n"
              "201,1,見本錠,2,錠,1,,1,,,\r\n"
              "301,1,１日２回  朝夕食後に服用,14,日分,1,1,,1\r\n");
    input.dispensing.pharmacy = cp932("見本病院");
    EXPECT_EQ(fieldOf(ehandbook::handbookText(input), "11", 3), "1") << "a hospital's fee table";
    input.dispensing.drugs[0].yjcode = "217190100001";  // no letter in the eighth place
    EXPECT_EQ(fieldOf(ehandbook::handbookText(input), "201", 5), "1");
}

TEST(HandbookWriter, PharmacyAndPrescriptionInstitutionFillRecords11To55) {
    struct Case {
        const char* name;
        ehandbook::PharmacyDetails pharmacy;
        ehandbook::Prescribing prescribing;
        const char* head;  // records 11 to 55
    };
    const Case cases[] = {
        {"pharmacy data and a prescription code",
         {"13", "1234567", "100-0001", "東京都千代田区", "03-1234-5678"},
         {"見本病院", "27", 1, "7654321", "見本 二郎", "内科"},
         "11,サンプル薬局,13,4,1234567,100-0001,東京都千代田区,03-1234-5678,1\r\n"
         "15,薬剤 太郎,,1\r\n"
         "51,見本病院,27,1,7654321,1\r\n"
         "55,見本 二郎,内科,1\r\n"},
        {"a coded institution without fee table or doctor",
         {},
         {"見本歯科", "", 0, "", "", ""},
         "11,サンプル薬局,,4,,,,,1\r\n"
         "15,薬剤 太郎,,1\r\n"
         "51,見本歯科,,,,1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HandbookInput input = dispensing();
        input.dispensing.pharmacyDetails = c.pharmacy;
        input.dispensing.pharmacyDetails.address = cp932(c.pharmacy.address);
        input.dispensing.prescribing = c.prescribing;
        ehandbook::Prescribing& p = input.dispensing.prescribing;
        for (std::string* text : {&p.institution, &p.doctor, &p.department}) *text = cp932(*text);
        const std::string text = sjis::toUtf8(ehandbook::handbookText(input));
        const std::size_t from = text.find("11,"), to = text.find("201,");
        EXPECT_EQ(text.substr(from, to - from), c.head);
    }
}

TEST(HandbookWriter, CommasAndLineBreaksInTextsNeverBreakFieldsOrRecords) {
    HandbookInput input = dispensing();
    input.patient.name = cp932("見本,花子");
    input.dispensing.drugs[0].name = cp932("見本錠,5mg\x7f");
    input.dispensing.drugs[0].usage = cp932("朝\r\n夕,食後");
    // A lead byte followed by a comma is no character: the comma must still be escaped.
    input.dispensing.pharmacist = std::string("\x82") + "," + cp932("太郎");
    const std::string text = ehandbook::handbookText(input);
    const std::vector<Fields> records = readRecords(text);
    ASSERT_EQ(records.size(), 10u) << text;
    EXPECT_EQ(sjis::toUtf8(fieldOf(text, "1", 1) + "|" + fieldOf(text, "201", 2) + "|" +
                           fieldOf(text, "301", 2) + "|" + fieldOf(text, "15", 1)),
              "見本，花子|見本錠，5mg |朝  夕，食後|，太郎");
    EXPECT_EQ(std::tuple(records[5].size(), records[7].size(), records[9].size()),
              std::tuple(4u, 11u, 9u));
}

TEST(HandbookWriter, CutsNamesToTheirLimitOnACharacterBoundary) {
    std::string wide;  // 200 bytes after one half-width byte
    for (int i = 0; i < 100; ++i) wide += cp932("薬");
    HandbookInput input = dispensing();
    input.patient.name = "a" + wide;
    input.dispensing.pharmacy = wide;
    input.dispensing.drugs[0].name = "a" + wide;
    input.dispensing.drugs[0].unit = "a" + wide;
    const std::string text = ehandbook::handbookText(input);
    const std::tuple<const char*, std::size_t, std::size_t> limits[] = {
        {"1", 1, 39}, {"11", 1, 120}, {"201", 2, 119}, {"201", 4, 11}};
    for (const auto& [record, index, bytes] : limits) {
        const std::string field = fieldOf(text, record, index);
        EXPECT_EQ(field.size(), bytes) << record << " field " << index;
        EXPECT_EQ(sjis::cutLength(field, field.size()), field.size()) << "ends on a character";
    }
    input.dispensing.drugs[0].amount = "1234567890.25";  // one byte over: never cut to a number
    EXPECT_EQ(fieldOf(ehandbook::handbookText(input), "201", 3), "");
    EXPECT_EQ(fieldOf(ehandbook::handbookText(input), "201", 4), "");
}

// A note, amount text, usage or days text longer than its field continues in further records
// of its number, each piece within the limit and ending on a character, nothing lost.
TEST(HandbookWriter, LongTextsContinueInRecordsOfTheirNumberAndLoseNothing) {
    // 138 bytes: the last allergen would fall across the 120-byte limit.
    const std::string allergy = cp932(
        "ペニシリン系抗生物質、セフェム系抗生物質、アスピリン、イブプロフェン、"
        "ロキソプロフェン、ヨード造影剤、局所麻酔薬、卵、牛乳、小麦、そば、貝");
    const std::string plain = repeated("薬", 60) + "a" + repeated("薬", 40);  // 201 bytes
    enum Field { kNote, kAmountText, kUsage, kDays };
    struct Case {
        const char* name;
        Field field;
        std::string text;
        std::size_t firstPiece;  // bytes of the first record's text
    };
    const Case cases[] = {
        {"allergy list, cut after a 、", kNote, allergy, 118},
        {"note without marks, cut between characters", kNote, plain, 120},
        {"a 、 before the last quarter is no cut", kNote, repeated("薬", 42) + cp932("、") + plain,
         120},
        {"cut after a space", kNote, repeated("薬", 50) + " " + plain, 101},
        {"amount text", kAmountText, plain, 100},
        {"usage beyond its 301 field", kUsage, plain, 100},
        {"days text", kDays, "a" + repeated("枚", 60), 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HandbookInput input = dispensing();
        Drug& d = input.dispensing.drugs[0];
        std::string* texts[] = {&input.patient.notes[0].text, &d.note, &d.usage, &d.days};
        *texts[c.field] = c.text;
        // The records holding the text: their number, and the piece's limit.
        const char* numbers[][2] = {{"2", ""}, {"281", ""}, {"301", "311"}, {"311", ""}};
        const std::size_t limit = c.field == kNote ? 120 : 100;
        std::string whole;
        std::vector<std::size_t> sizes;
        for (const Fields& r : readRecords(ehandbook::handbookText(input))) {
            if (r[0] != numbers[c.field][0] && r[0] != numbers[c.field][1]) continue;
            const std::string& piece = r.at(2);
            EXPECT_LE(piece.size(), limit);
            EXPECT_EQ(sjis::cutLength(piece, piece.size()), piece.size()) << "ends on a character";
            whole += piece;
            sizes.push_back(piece.size());
        }
        EXPECT_EQ(whole, c.text);
        ASSERT_GE(sizes.size(), 2u);
        EXPECT_EQ(sizes.front(), c.firstPiece);
    }
}

TEST(HandbookWriter, GroupsDrugsOfEqualUsageDaysAndFormIntoRps) {
    HandbookInput input = dispensing();
    input.dispensing.drugs = {drug("甲錠", "朝食後", "１４日分"), drug("乙錠", "朝食後", "７日分"),
                              drug("丙錠", "朝食後", "１４日分"),
                              drug("丁貼付", "朝食後", "１４日分", FormCode::kExternal),
                              drug("戊錠", "朝食後", "１４日分")};
    const ReadDispensing read = readDispensing(ehandbook::handbookText(input));
    std::vector<std::pair<int, std::string>> rps;
    for (const ReadDrug& d : read.drugs) rps.emplace_back(d.rp, sjis::toUtf8(d.name));
    EXPECT_EQ(rps, (std::vector<std::pair<int, std::string>>{
                       {1, "甲錠"}, {1, "丙錠"}, {1, "戊錠"}, {2, "乙錠"}, {3, "丁貼付"}}));
    EXPECT_EQ(read.drugs[4].form, "5");
    EXPECT_EQ(readRecords(ehandbook::handbookText(input)).back()[0], "301");
}

TEST(HandbookWriter, CountsDaysOrDosesAndKeepsAnyOtherDaysTextAsANote) {
    struct Case {
        const char* days;
        const char* quantity;
        const char* unit;
        const char* note;  // the 311 text, "" for none
    };
    const Case cases[] = {{"１４日分", "14", "日分", ""},
                          {"7日分", "7", "日分", ""},
                          {"５回分", "5", "回分", ""},
                          {"２８枚", "1", "調剤", "２８枚"},
                          {"１０００日分", "1", "調剤", "１０００日分"},
                          {"０日分", "1", "調剤", "０日分"},
                          {"", "1", "調剤", ""}};
    for (const Case& c : cases) {
        HandbookInput input = dispensing();
        input.dispensing.drugs = {drug("甲錠", "朝食後", c.days)};
        const std::string text = ehandbook::handbookText(input);
        SCOPED_TRACE(c.days);
        EXPECT_EQ(fieldOf(text, "301", 3), c.quantity);
        EXPECT_EQ(sjis::toUtf8(fieldOf(text, "301", 4)), c.unit);
        EXPECT_EQ(sjis::toUtf8(fieldOf(text, "311", 2)), *c.note ? c.note : "<no record>");
    }
}

}  // namespace

// Our handbook codes for leaflets of 1, 13 and 30 drugs of mixed forms, patients born in every
// era or on an unknown day, with and without notes and pharmacy, read by a strict reader
// written from the format note; and that reader refusing what breaks the note.
#include <gtest/gtest.h>

#include <QStringList>

#include "ehandbook/handbook_parts.h"
#include "ehandbook/handbook_writer.h"
#include "entry_builder.h"
#include "handbook_strict_reader.h"
#include "page/leaflet_handbook.h"

namespace {

constexpr const char* kDataId = "20240109103005";

// `count` print-list entries cycling through nine forms; each form is "name|form|timings|amount
// text|usage|days".
std::vector<DrugRecord> entries(int count) {
    const char* const forms[] = {
        "見本錠|錠|0,1,0,1,0|用量　１回１錠|１日２回  朝夕食後に服用|１４日分",
        "見本カプセル|カプセル|0,1,1,1,0||１日３回  毎食後に服用|１４日分",
        "見本散|散|0,1,0,1,0|用量　１回０．５ｇ|１日２回  朝夕食後に服用|７日分",
        "見本シロップ|シロップ|0,1,1,1,0|用量　１回３ｍＬ|１日３回  毎食後に服用|５日分",
        "見本テープ|貼付剤|0,0,0,0,0||１日１回貼付|２８枚",
        "見本軟膏|軟膏・硬膏|0,0,0,0,0||１日２回患部に塗布|２本",
        "見本点眼液|液|0,0,0,0,0||１日４回両眼に点眼|５ｍＬ",
        "見本坐剤|坐剤|0,0,0,0,0|用量　１回１個|発熱時に使用|５回分",
        "見本頓服錠|錠|0,0,0,0,0|用量　１回１錠|頭痛時　頓服|１０回分",
    };
    std::vector<DrugRecord> list;
    for (int i = 0; i < count; ++i) {
        const QStringList f = QString(forms[i % 9]).split('|');
        const QStringList t = f[2].split(',');
        const auto at = [&](int n) { return f[n].toStdString(); };
        list.push_back(
            EntryBuilder()
                .yjcode("2171901F2S" + std::to_string(10 + i))
                .name(at(0) + std::to_string(i + 1) + "「サンプル製薬」")
                .form(at(1))
                .timings({t[0].toInt(), t[1].toInt(), t[2].toInt(), t[3].toInt(), t[4].toInt()})
                .amount(at(3))
                .usage(at(4))
                .days(at(5))
                .build());
    }
    return list;
}

// The codes of a leaflet as the leaflet job makes them.
std::vector<std::string> codes(const leaflet::LeafletHeader& header, int drugs) {
    const std::vector<DrugRecord> list = entries(drugs);
    const std::string text =
        ehandbook::handbookText(ehandbook::leafletHandbookInput(header, list, "20240109"));
    return ehandbook::splitHandbookText(text, kDataId);
}

TEST(StrictReading, EveryLeafletsCodesReadWithoutError) {
    struct Patient {
        const char* name;
        int era, year, month, day;
        const char* birth;  // record 1's birth date; "" for no record 1
    };
    const Patient patients[] = {
        {"明治", 1, 44, 1, 1, "19110101"}, {"大正", 2, 5, 5, 5, "19160505"},
        {"昭和", 3, 33, 3, 3, "19580303"}, {"平成", 4, 1, 2, 1, "19890201"},
        {"令和", 5, 2, 4, 10, "20200410"}, {"unknown birth date", 0, 0, 0, 0, ""}};
    const int leaflets[] = {1, 13, 30};  // one tablet, nine forms, the most drugs
    const std::string allergy = cp932(
        "ペニシリン系抗生物質、セフェム系抗生物質、アスピリン、イブプロフェン、"
        "ロキソプロフェン、ヨード造影剤、局所麻酔薬、卵、牛乳、小麦、そば、貝");
    // Every patient with every leaflet, with and without notes and pharmacy.
    for (int k = 0; k < 6 * 3 * 4; ++k) {
        const Patient& p = patients[k / 12];
        const int drugs = leaflets[k / 4 % 3];
        const bool notes = k & 1, pharmacy = k & 2;
        SCOPED_TRACE(std::string(p.name) + ", " + std::to_string(drugs) + " drugs" +
                     (notes ? ", notes" : "") + (pharmacy ? ", pharmacy" : ""));
        PatientRecord record{};
        std::tie(record.SEX, record.NENGO, record.YEAR, record.MONTH, record.DAY) =
            std::tuple(2, p.era, p.year, p.month, p.day);
        if (notes) {
            sjis::copyField(record.ALLERGY, sizeof record.ALLERGY, allergy);
            sjis::copyField(record.EFFECT, sizeof record.EFFECT, cp932("発疹"));
        }
        leaflet::LeafletHeader header;
        header.patientName = cp932("架空　さくら");
        header.registered = ehandbook::registeredPatient(record);
        if (pharmacy) {
            header.pharmacyName = cp932("サンプル薬局");
            header.dispensingPharmacy = true;
            header.pharmacist = cp932("薬剤 太郎");
            header.prescriber = cp932("見本内科　見本 一郎");
            header.pharmacy = {cp932("サンプル薬局　駅前店"), "13",          "1234567", "105-0004",
                               cp932("東京都港区新橋１丁目"), "03-0000-0000"};
            if (drugs == 13)
                header.prescribedBy = {cp932("医療法人 見本病院"), "13",         1, "7654321",
                                       cp932("見本 一郎"),         cp932("内科")};
        }
        const std::vector<std::string> parts = codes(header, drugs);
        ASSERT_FALSE(parts.empty());
        EXPECT_EQ(strict::readCodes(parts), strict::Errors{});
        const Fields first = readRecords(parts[0]).at(1);
        EXPECT_EQ(first[0] == "1" ? first.at(3) : "", p.birth);
    }
}

// Each row breaks one rule of the note in a text the reader otherwise accepts.
TEST(StrictReading, RefusesWhatBreaksTheNote) {
    const std::string good = cp932(
        "JAHISTC08,1\r\n1,架空　さくら,2,R020410,,,,,,,\r\n2,1,卵,1\r\n5,20240109,1\r\n"
        "11,サンプル薬局,13,4,1234567,,,,1\r\n55,見本 一郎,,1\r\n"
        "201,1,見本錠,2,錠,4,2171901F2S93,1,,,\r\n281,1,１回１錠,1\r\n"
        "301,1,朝夕食後,14,日分,1,1,,1\r\n201,2,見本坐剤,5,個,1,,1,,,\r\n"
        "301,2,発熱時,5,回分,3,1,,1\r\n");
    ASSERT_EQ(strict::readText(good), strict::Errors{});
    struct Case {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"sex 0", "さくら,2,", "さくら,0,"},
        {"sex empty", "さくら,2,", "さくら,,"},
        {"no birth date", "2,R020410", "2,"},
        {"no such day", "20240109", "20240230"},
        {"digit era", "R020410", "5020410"},
        {"version", "JAHISTC08,1", "JAHISTC07,1"},
        {"a field missing", "卵,1", "卵"},
        {"a field too many", "5,20240109,1", "5,20240109,1,"},
        {"fee table", "13,4,", "13,5,"},
        {"prefecture too long", "13,4,", "131,4,"},
        {"double-byte in an X field", "1234567", "１２３"},
        {"note too long", "2,1,卵",
         "2,1,卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵"
         "卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵卵"},
        {"code kind", ",4,2171901F2S93", ",5,2171901F2S93"},
        {"author", "281,1,１回１錠,1", "281,1,１回１錠,3"},
        {"form code", "日分,1,", "日分,8,"},
        {"quantity unit", "14,日分", "14,日"},
        {"quantity not a number", "14,日分", "1a,日分"},
        {"no usage record for RP 1", "301,1,朝夕食後,14,日分,1,1,,1\r\n", ""},
        {"note after the usage", "281,1,１回１錠,1\r\n301,1,朝夕食後,14,日分,1,1,,1\r\n",
         "301,1,朝夕食後,14,日分,1,1,,1\r\n281,1,１回１錠,1\r\n"},
        {"RP numbers falling", "201,2,見本坐剤", "201,0,見本坐剤"},
        {"pharmacy before the date", "5,20240109,1\r\n11,サンプル薬局,13,4,1234567,,,,1\r\n",
         "11,サンプル薬局,13,4,1234567,,,,1\r\n5,20240109,1\r\n"},
        {"no unit", "5,個,", "5,,"},
        {"no amount", "5,個,", ",個,"},
        {"as-needed doses as 内服", "回分,3,", "回分,1,"},
        {"an unknown record", "2,1,卵,1\r\n", "3,1,卵,1\r\n"},
        {"bare line feed", "2,1,卵,1\r\n", "2,1,卵,1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = good;
        const std::string from = cp932(c.from);
        ASSERT_NE(text.find(from), std::string::npos);
        text.replace(text.find(from), from.size(), cp932(c.to));
        EXPECT_NE(strict::readText(text), strict::Errors{});
    }
}

TEST(StrictReading, JoinsPartsInAnyOrderAndRefusesPartsThatDoNotMatch) {
    const std::vector<std::string> parts = codes({}, 30);
    ASSERT_GE(parts.size(), 2u);
    const std::vector<std::string> reversed(parts.rbegin(), parts.rend());
    EXPECT_EQ(strict::readCodes(reversed), strict::Errors{});
    const auto broken = [&](std::size_t n, const std::string& from, const std::string& to) {
        std::vector<std::string> changed = parts;
        changed[n].replace(changed[n].rfind(from), from.size(), to);
        return strict::readCodes(changed);
    };
    const std::string count = "," + std::to_string(parts.size()) + ",";
    EXPECT_NE(broken(1, kDataId, "20240109103006"), strict::Errors{}) << "another output";
    EXPECT_NE(broken(1, count + "2", count + "1"), strict::Errors{}) << "a number twice";
    EXPECT_NE(broken(0, count, ",9,"), strict::Errors{}) << "a count not the parts'";
    EXPECT_NE(broken(0, "911,", "501,"), strict::Errors{}) << "no split record";
}

}  // namespace

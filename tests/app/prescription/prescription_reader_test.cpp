// Reading prescription code texts: the format note's sample, encodings, line ends and joined
// symbols, the shortened layouts real codes use, and the refusals that keep a wrong reading
// away from the print list.
#include "prescription/prescription_reader.h"

#include <gtest/gtest.h>

#include "prescription/jahis_date.h"
#include "prescription/symbol_text.h"
#include "sample_codes.h"

namespace {

using namespace prescription;

std::string u(std::string_view cp932) {
    return sjis::toUtf8(cp932);
}

Prescription readOk(std::string_view bytes) {
    ReadResult result = readPrescription(bytes);
    EXPECT_EQ(result.error, "");
    EXPECT_TRUE(result.prescription.has_value());
    return result.prescription ? std::move(*result.prescription) : Prescription{};
}

std::string refusalOf(std::string_view utf8) {
    ReadResult result = readPrescription(samples::asCode(utf8));
    EXPECT_FALSE(result.prescription.has_value()) << utf8;
    return result.error;
}

TEST(PrescriptionReader, FormatNoteSample) {
    const Prescription p = readOk(samples::asCode(samples::kFormatNote));
    EXPECT_EQ(std::tuple(p.version, p.institution.codeKind, p.institution.code),
              std::tuple(10, 1, "1234567"));
    EXPECT_EQ(u(p.institution.name), "医療法人 工業会病院");
    EXPECT_EQ(u(p.prescriber.name) + "|" + u(p.prescriber.kanaName), "工業会 次郎|ｺｳｷﾞｮｳｶｲ ｼﾞﾛｳ");
    EXPECT_EQ(u(p.patient.name) + "|" + u(p.patient.kanaName), "日薬 太郎|ﾆﾁﾔｸ ﾀﾛｳ");
    EXPECT_EQ(p.patient.sex, Sex::kMale);
    EXPECT_EQ(p.patient.birth, (PartialDate{1960, 6, 6}));
    EXPECT_EQ(p.issued, (PartialDate{2026, 4, 10}));
    EXPECT_TRUE(p.warnings.empty());

    ASSERT_EQ(p.rps.size(), 2u);
    const Rp& daily = p.rps[0];
    EXPECT_EQ(std::tuple(daily.form, daily.quantity, daily.timesPerDay),
              std::tuple(FormKind::kInternal, 14, 3));
    EXPECT_EQ(u(daily.usage), "１日３回毎食後服用");
    ASSERT_EQ(daily.drugs.size(), 2u);
    const Drug& first = daily.drugs[0];
    EXPECT_EQ(
        std::tuple(first.codeKind, first.code, first.amount.text(), u(first.unit), first.line),
        std::tuple(2, "612170709", "3", "錠", 17));
    EXPECT_EQ(daily.drugs[1].code, "2171014M2ZZZ");
    ASSERT_EQ(daily.drugs[1].notes.size(), 1u);
    EXPECT_EQ(daily.drugs[1].notes[0].kind, 3);
    EXPECT_EQ(u(daily.drugs[1].notes[0].text), "後発品変更不可");

    const Rp& asNeeded = p.rps[1];
    EXPECT_EQ(std::tuple(asNeeded.form, asNeeded.quantity, asNeeded.timesPerDay),
              std::tuple(FormKind::kAsNeeded, 5, 0));
    ASSERT_EQ(asNeeded.drugs.size(), 1u);
    EXPECT_EQ(u(asNeeded.drugs[0].name), "カロナール錠２００ｍｇ");
    EXPECT_EQ(asNeeded.drugs[0].perIntake.text(), "1");
}

TEST(PrescriptionReader, EncodingsLineEndsEndOfFileAndJoinedSymbols) {
    const std::string cp932 = samples::asCode(samples::kFormatNote);
    const Prescription reference = readOk(cp932);
    const auto sameDrugs = [&](const Prescription& p) {
        ASSERT_EQ(p.rps.size(), reference.rps.size());
        for (std::size_t i = 0; i < p.rps.size(); ++i) {
            ASSERT_EQ(p.rps[i].drugs.size(), reference.rps[i].drugs.size());
            for (std::size_t j = 0; j < p.rps[i].drugs.size(); ++j)
                EXPECT_EQ(p.rps[i].drugs[j].name, reference.rps[i].drugs[j].name);
        }
        EXPECT_EQ(p.patient.name, reference.patient.name);
    };
    // UTF-8 with LF, with a byte order mark, and CP932 with lone CRs (a scanner's Enter).
    sameDrugs(readOk(samples::kFormatNote));
    sameDrugs(readOk("\xEF\xBB\xBF" + std::string(samples::kFormatNote)));
    std::string crOnly = cp932;
    std::erase(crOnly, '\n');
    sameDrugs(readOk(crOnly));
    // An EOF byte at the end, and the text split inside a double-byte name into two symbols,
    // the second of which repeats the version line after its own EOF.
    sameDrugs(readOk(cp932 + "\x1A"));
    const std::size_t cut = cp932.find(sjis::fromUtf8("ルバスク")) + 1;
    const std::string joined =
        joinSymbols({cp932.substr(0, cut) + "\x1A", cp932.substr(cut) + "\x1A"});
    sameDrugs(readOk(joined));
    sameDrugs(readOk(cp932 + "JAHIS10\r\n"));
    EXPECT_TRUE(looksLikeUtf8(std::string(samples::kFormatNote)));
    EXPECT_FALSE(looksLikeUtf8(cp932));
}

TEST(PrescriptionReader, ShortenedLayoutsOfRealCodes) {
    const Prescription p = readOk(samples::asCode(
        "JAHIS7\n"
        "1,1234567,13,三項目病院\n"
        "5,医師 二郎\n"
        "13,4160119\n"
        "101,1,1,,7\n"
        "111,1,１日２回朝夕食後,2\n"
        "201,1,1,4,1149019F1560,ロキソプロフェン錠,2,錠\n"  // no information kind, no potency
        "201,1,2,2,620000001,胃薬錠,2,1,錠\n"               // no information kind
        "201,1,3,1,2,620000002,整腸錠,2,錠\n"               // no potency flag
        "101,2,3,\n"                                        // external, quantity left out
        "111,2,1013044400000000,１日２回患部に塗布,\n"      // no code kind
        "201,2,1,1,1,,軟膏Ａ,25,1,ｇ,extra,fields\n"));
    EXPECT_EQ(std::tuple(p.institution.codeKind, p.institution.code, u(p.institution.name)),
              std::tuple(0, "1234567", "三項目病院"));
    EXPECT_EQ(u(p.prescriber.name), "医師 二郎");
    EXPECT_EQ(p.patient.birth, (PartialDate{2004, 1, 19})) << "平成16年";
    ASSERT_EQ(p.rps.size(), 2u);
    EXPECT_EQ(u(p.rps[0].usage), "１日２回朝夕食後");
    EXPECT_EQ(p.rps[0].timesPerDay, 2);
    ASSERT_EQ(p.rps[0].drugs.size(), 3u);
    const Drug& seven = p.rps[0].drugs[0];
    EXPECT_EQ(std::tuple(seven.codeKind, seven.code, seven.amount.text(), u(seven.unit)),
              std::tuple(4, "1149019F1560", "2", "錠"));
    EXPECT_EQ(p.rps[0].drugs[1].code + u(p.rps[0].drugs[1].unit), "620000001錠");
    EXPECT_EQ(p.rps[0].drugs[2].code, "620000002");
    EXPECT_EQ(std::tuple(p.rps[1].form, p.rps[1].quantity, p.rps[1].usageCode),
              std::tuple(FormKind::kExternal, 0, "1013044400000000"));
    EXPECT_EQ(u(p.rps[1].usage), "１日２回患部に塗布");
    EXPECT_EQ(p.rps[1].drugs[0].amount.text(), "25");
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_EQ(p.warnings[0], "10行目: 調剤数量がありません。");
}

TEST(PrescriptionReader, WhatCannotBeUsedIsLeftOutWithAWarning) {
    const Prescription p =
        readOk(samples::asCode(samples::withHeader("13,19601301\n"
                                                   "51,2026\n"
                                                   "77,unknown,record\n"
                                                   "101,1,1,,14\n"
                                                   "111,1,1,,１日３回毎食後,3\n"
                                                   "111,9,1,,寝る前,1\n"
                                                   "201,1,1,1,1,,薬Ａ,3,1,錠\n"
                                                   "221,1,1,1.5,x\n"
                                                   "241,1,2,1,3\n"
                                                   "281,1,1,1,3,後発品変更不可,\n")));
    ASSERT_EQ(p.rps.size(), 1u);
    const Drug& drug = p.rps[0].drugs[0];
    EXPECT_TRUE(drug.unevenAmounts.empty());
    EXPECT_TRUE(drug.perIntake.empty());
    EXPECT_EQ(drug.notes.size(), 1u);
    EXPECT_FALSE(p.patient.birth.known());
    EXPECT_FALSE(p.issued.known());
    const std::vector<std::string> expected = {
        "6行目: 患者の生年月日「19601301」を読めません。",
        "7行目: 処方箋交付年月日「2026」を読めません。",
        "11行目: 用法レコードのRP番号「9」に合う剤形がありません。",
        "13行目: 不均等の分量「x」を読めません。",
        "14行目: １回服用量レコードの薬品連番「2」に合う薬品がありません。",
    };
    EXPECT_EQ(p.warnings, expected);
}

TEST(JahisDate, WesternAndEraDatesDownToTheDay) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<PartialDate> date;
    };
    const Case cases[] = {
        {"Western", "19600606", PartialDate{1960, 6, 6}},
        {"year and month", "196006", PartialDate{1960, 6, 0}},
        {"昭和 year alone", "335", PartialDate{1960, 0, 0}},
        {"令和 era code", "5020320", PartialDate{2020, 3, 20}},
        {"29 February 2000", "20000229", PartialDate{2000, 2, 29}},
        {"29 February 1900", "19000229", std::nullopt},
        {"29 February 2100", "21000229", std::nullopt},
        {"31 April", "20260431", std::nullopt},
        {"before 明治", "18671231", std::nullopt},
        {"era code 6", "6010101", std::nullopt},
        {"era year 0", "5000101", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readDate(c.text), c.date);
    }
}

TEST(PrescriptionReader, RefusesWhatWouldMislead) {
    EXPECT_EQ(refusalOf(""), "処方箋のデータがありません。");
    EXPECT_EQ(refusalOf("\n1,1,1234567,13,病院\n"),
              "2行目: 先頭にバージョン（JAHIS1～JAHIS10）がありません。"
              "処方箋の２次元シンボルではないか、先頭が欠けています。");
    EXPECT_EQ(refusalOf("JAHIS11\n101,1,1,,14\n"),
              "1行目: バージョン「JAHIS11」は読めません（JAHIS1～JAHIS10を読めます）。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\nJAHIS10\n")),
              "7行目: バージョン「JAHIS10」が1行目の「JAHIS9」と違います。"
              "別の処方箋のシンボルが混ざっていないか確かめてください。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\nＡ01,1\n")),
              "7行目: レコード番号「Ａ01」が数字ではありません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,,1,1,1,,薬Ａ,3,1,錠\n")),
              "7行目: 薬品レコードのRP番号がありません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,1,1,1,1,,薬Ａ,,1,錠\n")),
              "7行目: 薬品レコードに分量がありません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,1,1,1,1,,薬Ａ,３,1,錠\n")),
              "7行目: 薬品レコードの分量「３」が数値ではありません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,2,1,1,1,,薬Ａ,3,1,錠\n")),
              "7行目: 薬品レコードのRP番号 2 に剤形レコード（101）がありません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,1,1,1,1,,薬Ａ,3,1,錠\n"
                                            "201,1,1,1,1,,薬Ｂ,3,1,錠\n")),
              "8行目: RP番号 1 の薬品連番 1 が重複しています。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n101,1,2,,3\n")),
              "7行目: RP番号 1 の剤形レコードが重複しています。");
    // Eight fields that fit neither shortened layout: a name where the amount should be.
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n201,1,1,1,1,,薬Ａ,錠,1\n")),
              "7行目: 薬品レコードの8個の項目を読み分けられません。");
    EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n111,1,1,,毎食後,3\n")),
              "薬品のレコード（201）がありません。");
}

TEST(PrescriptionReader, TextCutInTheMiddleOfARecordIsRefused) {
    const std::string code = samples::asCode(samples::kFormatNote);
    // Cut inside the usage text, inside a drug name (half a character), and after the amount.
    const std::string usage = code.substr(0, code.find(sjis::fromUtf8("毎食後服用")));
    EXPECT_EQ(readPrescription(usage).error, "16行目: レコードが途中で切れています。");
    const std::string name = code.substr(0, code.find(sjis::fromUtf8("ルバスク")) + 1);
    EXPECT_EQ(readPrescription(name).error, "17行目: レコードが途中で切れています。");
    const std::string amount = code.substr(0, code.find(",3,1,") + 2);
    EXPECT_EQ(readPrescription(amount).error, "17行目: レコードが途中で切れています。");
    // A complete last record without its line end is read.
    const std::string whole = code.substr(0, code.size() - 2);
    EXPECT_EQ(readPrescription(whole).error, "");
}

TEST(Amount, ExactFractionsAndHalves) {
    EXPECT_EQ(Amount::parse("1.5")->halves(), 3);
    EXPECT_EQ(Amount::parse("2/3")->halves(), std::nullopt);
    EXPECT_EQ(Amount::parse("0.33333")->dividedBy(1).halves(), std::nullopt);
    EXPECT_EQ(Amount::parse("3")->dividedBy(2).text(), "1.5");
    EXPECT_EQ(Amount::parse("1")->dividedBy(3).text(), "1/3");
    EXPECT_EQ(Amount::parse("0.25")->times(4).text(), "1");
    EXPECT_EQ(*Amount::parse("1.50"), *Amount::parse("3/2"));
    for (const char* bad : {"", ".", "1.", "1/0", "-1", "1,5", "１", "1234567890"})
        EXPECT_FALSE(Amount::parse(bad).has_value()) << bad;
}

}  // namespace

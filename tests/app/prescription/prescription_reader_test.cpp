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

std::string date(const PartialDate& d) {
    return std::to_string(d.year) + "/" + std::to_string(d.month) + "/" + std::to_string(d.day);
}

// The first sentence of each check of a drug.
std::string checksOf(const Drug& d) {
    std::string s;
    for (const std::string& c : d.checks) s += " ! " + c.substr(0, c.find("。") + 3);
    return s;
}

// Everything read, one line per header, RP and drug, in UTF-8.
std::string said(const Prescription& p) {
    const auto n = [](auto v) { return std::to_string(static_cast<int>(v)); };
    std::string s = "JAHIS" + n(p.version) + " " + n(p.institution.codeKind) + ":" +
                    p.institution.code + " " + u(p.institution.name) + " / " +
                    u(p.prescriber.name) + " (" + u(p.prescriber.kanaName) + ")\n" +
                    u(p.patient.name) + " (" + u(p.patient.kanaName) + ") sex " + n(p.patient.sex) +
                    " born " + date(p.patient.birth) + " issued " + date(p.issued) + "\n";
    for (const Rp& rp : p.rps) {
        s += "rp " + n(rp.number) + " form " + n(rp.form) + " x" + n(rp.quantity) + " " +
             n(rp.timesPerDay) + "/day " + rp.usageCode + " " + u(rp.usage) + "\n";
        for (const Drug& d : rp.drugs) {
            s += " " + n(d.line) + ": " + n(d.codeKind) + ":" + d.code + " " + u(d.name) + " " +
                 d.amount.text() + u(d.unit);
            for (const Amount& a : d.unevenAmounts) s += " uneven " + a.text();
            if (!d.perIntake.empty())
                s += " intake " + d.perIntake.text() + "x" + n(d.intakesPerDay);
            for (const DrugNote& note : d.notes) s += " note " + n(note.kind) + " " + u(note.text);
            s += checksOf(d) + "\n";
        }
    }
    for (const std::string& w : p.warnings) s += w + "\n";
    return s;
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

constexpr const char* kFormatNoteRead =
    "JAHIS10 1:1234567 医療法人 工業会病院 / 工業会 次郎 (ｺｳｷﾞｮｳｶｲ ｼﾞﾛｳ)\n"
    "日薬 太郎 (ﾆﾁﾔｸ ﾀﾛｳ) sex 1 born 1960/6/6 issued 2026/4/10\n"
    "rp 1 form 1 x14 3/day  １日３回毎食後服用\n"
    " 17: 2:612170709 ノルバスク錠２．５ｍｇ 3錠\n"
    " 18: 7:2171014M2ZZZ 【般】ニフェジピンカプセル１０ｍｇ 3カプセル note 3 後発品変更不可\n"
    "rp 2 form 2 x5 0/day  頭痛時\n"
    " 22: 1: カロナール錠２００ｍｇ 1錠 intake 1x0\n";

TEST(PrescriptionReader, FormatNoteSampleInEveryEncodingLineEndAndSymbolSplit) {
    const std::string cp932 = samples::asCode(samples::kFormatNote);
    std::string crOnly = cp932;  // lone CRs, as a scanner's Enter gives them
    std::erase(crOnly, '\n');
    // The text split inside a double-byte name into two symbols with their EOF bytes.
    const std::size_t cut = cp932.find(sjis::fromUtf8("ルバスク")) + 1;
    const std::string joined =
        joinSymbols({cp932.substr(0, cut) + "\x1A", cp932.substr(cut) + "\x1A"});
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"CP932 with CR LF", cp932},
        {"UTF-8 with LF", std::string(samples::kFormatNote)},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + std::string(samples::kFormatNote)},
        {"lone CRs", crOnly},
        {"an EOF byte at the end", cp932 + "\x1A"},
        {"joined symbols", joined},
        {"the version line repeated after the end", cp932 + "JAHIS10\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(said(readOk(c.bytes)), kFormatNoteRead);
    }
}

TEST(PrescriptionReader, ShortenedLayoutsOfRealCodes) {
    const Prescription p = readOk(samples::asCode(
        "JAHIS7\n"
        "1,1234567,13,三項目病院\n"
        "5,ﾎﾟｰﾙ ｲｼ,医師 二郎\n"
        "13,4160119\n"
        "101,1,1,,7\n"
        "111,1,１日２回朝夕食後,2\n"
        "201,1,1,4,1149019F1560,ロキソプロフェン錠,2,錠\n"  // no information kind, no potency
        "201,1,2,2,620000001,胃薬錠,2,1,錠\n"               // no information kind
        "201,1,3,1,2,620000002,整腸錠,2,錠\n"               // no potency flag
        "101,2,3,\n"                                        // external, quantity left out
        "111,2,1013044400000000,１日２回患部に塗布,\n"      // no code kind
        "201,2,1,1,1,,軟膏Ａ,25,1,ｇ,,\n"));
    EXPECT_EQ(
        said(p),
        "JAHIS7 0:1234567 三項目病院 / 医師 二郎 (ﾎﾟｰﾙ ｲｼ)\n"
        " () sex 0 born 2004/1/19 issued 0/0/0\n"  // 平成16年
        "rp 1 form 1 x7 2/day  １日２回朝夕食後\n"
        " 7: 4:1149019F1560 ロキソプロフェン錠 2錠 ! 用法レコードの項目が省かれています（3個）。"
        " ! 薬品レコードの項目が省かれています（7個）。\n"
        " 8: 2:620000001 胃薬錠 2錠 ! 用法レコードの項目が省かれています（3個）。"
        " ! 薬品レコードの項目が省かれています（8個）。\n"
        " 9: 2:620000002 整腸錠 2錠 ! 用法レコードの項目が省かれています（3個）。"
        " ! 薬品レコードの項目が省かれています（8個）。\n"
        "rp 2 form 3 x0 0/day 1013044400000000 １日２回患部に塗布\n"
        " 12: 1: 軟膏Ａ 25ｇ ! 剤形レコードに調剤数量がありません。"
        " ! 用法レコードの項目が省かれています（4個）。\n"
        "10行目: 調剤数量がありません。\n");
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
                                                   "\n"  // a blank line is passed over
                                                   "281,1,1,1,3,後発品変更不可,\n")));
    EXPECT_EQ(said(p),
              "JAHIS9 1:1234567 病院 / 医師 一郎 ()\n"
              "患者 花子 (ｶﾝｼﾞｬ ﾊﾅｺ) sex 2 born 0/0/0 issued 0/0/0\n"
              "rp 1 form 1 x14 3/day  １日３回毎食後\n"
              " 12: 1: 薬Ａ 3錠 note 3 後発品変更不可\n"
              "6行目: 患者の生年月日「19601301」を読めません。\n"
              "7行目: 処方箋交付年月日「2026」を読めません。\n"
              "11行目: 用法レコードのRP番号「9」に合う剤形がありません。\n"
              "13行目: 不均等の分量「x」を読めません。\n"
              "14行目: １回服用量レコードの薬品連番「2」に合う薬品がありません。\n");
}

// The first drug as read: name, amount and unit, its checks, and the warnings.
std::string firstDrugOf(const std::string& rps) {
    const Prescription p = readOk(samples::asCode(samples::withHeader(rps)));
    if (p.rps.empty() || p.rps.front().drugs.empty()) return "no drug";
    const Drug& d = p.rps.front().drugs.front();
    std::string s = u(d.name) + " " + d.amount.text() + u(d.unit) + checksOf(d);
    for (const std::string& w : p.warnings) s += " / " + w;
    return s;
}

// Fields that fit no layout give a drug with no amount and the reason; odd RP records mark each
// drug of the RP; amounts that contradict each other mark the drug.
TEST(PrescriptionReader, UnfittingRecordsAndContradictionsMarkTheDrug) {
    struct Case {
        const char* name;
        std::string rps;
        const char* read;
    };
    const std::string rp = "101,1,1,,7\n111,1,1,,毎食後,3\n";
    const Case cases[] = {
        {"seven fields, the last line without its end", rp + "201,1,1,2,620000001,薬,3,錠",
         "薬 3錠 ! 薬品レコードの項目が省かれています（7個）。"},
        {"ten fields shifted", rp + "201,1,1,1,4,2325903F2M95,薬,1.5,3,2,錠\n",
         "薬  ! 薬品レコードの10個の項目を読み分けられません。"},
        {"a word after the unit", rp + "201,1,1,1,1,,薬,25,1,ｇ,extra\n",
         "薬  ! 薬品レコードの10個の項目を読み分けられません。"},
        {"a YJ code too short", rp + "201,1,1,1,4,2325903F2M9,薬,3,1,錠\n",
         "薬  ! 薬品レコードの9個の項目を読み分けられません。"},
        {"a general-name code too long", rp + "201,1,1,1,7,2171014M2ZZZZ,薬,3,1,錠\n",
         "薬  ! 薬品レコードの9個の項目を読み分けられません。"},
        {"a receipt code not of digits", rp + "201,1,1,1,2,62000000A,薬,3,1,錠\n",
         "薬  ! 薬品レコードの9個の項目を読み分けられません。"},
        {"eight fields that fit neither layout", rp + "201,1,1,1,1,,薬,錠,1\n",
         "薬  ! 薬品レコードの8個の項目を読み分けられません。"},
        {"no amount", rp + "201,1,1,1,1,,薬,,1,錠\n", "薬  ! 薬品レコードに分量がありません。"},
        {"too few fields", rp + "201,1,1,1,1,,薬\n", "薬  ! 薬品レコードに分量がありません。"},
        {"a full-width amount", rp + "201,1,1,1,1,,薬,３,1,錠\n",
         "薬  ! 薬品レコードの分量「３」が数値ではありません。"},
        {"221 giving 6 a day for 3", rp + "201,1,1,1,1,,薬,3,1,錠\n221,1,1,2,2,2,,,,,,,\n",
         "薬 3錠 ! 不均等の分量の合計（6）が１日量（3）と合いません。"},
        {"drops of no quantity, 241 two three times for 3",
         "101,1,4,,0\n111,1,1,,毎食後,3\n201,1,1,1,1,,薬,3,1,錠\n241,1,1,2,\n",
         "薬 3錠 ! 内服の調剤数量が0です。 ! "
         "１回服用量（2）の１日3回分が１日量（3）と合いません。"},
        {"241 counting its own intakes", rp + "201,1,1,1,1,,薬,3,1,錠\n241,1,1,1.5,2\n", "薬 3錠"},
        {"five uneven amounts", rp + "201,1,1,1,1,,薬,5,1,錠\n221,1,1,1,1,1,1,1,,,,,,\n", "薬 5錠"},
        {"a split part of 0",
         "101,1,1,,14\n102,1,0,14\n111,1,1,,毎食後,3\n201,1,1,1,1,,薬,3,1,錠\n",
         "薬 3錠 ! 分割調剤の今回の数量を読めません。 / 7行目: 分割調剤の数量「0」を読めません。"},
        {"241 against an as-needed amount",
         "101,1,2,,5\n111,1,1,,頭痛時,\n201,1,1,1,1,,薬,1,1,錠\n241,1,1,2,\n",
         "薬 1錠 ! １回服用量（2）が薬品の分量（1）と合いません。"},
        {"a zero amount", rp + "201,1,1,1,1,,薬,0,1,錠\n", "薬 0錠 ! 分量が0です。"},
        {"a zero quantity", "101,1,1,,0\n111,1,1,,朝食後,1\n201,1,1,1,1,,薬,1,1,錠\n",
         "薬 1錠 ! 内服の調剤数量が0です。"},
        {"no times per day for external use or injection, and a material",
         "101,1,3,,1\n111,1,1,,塗布,0\n201,1,1,1,1,,薬,5,1,ｇ\n101,2,5,,1\n111,2,1,,注射,0\n"
         "201,2,1,1,1,,注,1,1,管\n101,3,6,,1\n201,3,1,1,1,,材,1,1,枚\n",
         "薬 5ｇ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(firstDrugOf(c.rps), c.read);
    }
}

// Which days exist is the era table's; here only that a day it refuses is refused.
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
        {"明治元年", "101", PartialDate{1868, 0, 0}},
        {"month 13", "196013", std::nullopt},
        {"29 February 1900", "19000229", std::nullopt},
        {"29 February 2100", "21000229", std::nullopt},
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
    // Records after a header and the first RP's form record.
    const std::pair<const char*, const char*> afterRp[] = {
        {"JAHIS10\n",
         "7行目: バージョン「JAHIS10」が1行目の「JAHIS9」と違います。"
         "別の処方箋のシンボルが混ざっていないか確かめてください。"},
        {"Ａ01,1\n", "7行目: レコード番号「Ａ01」が数字ではありません。"},
        {"201,1,1,1,1,,A\x1F"
         "B,3,1,錠\n",
         "7行目: 制御文字（0x1F）が含まれています。"},
        {"201,1,1,1,1,,A\x7F"
         "B,3,1,錠\n",
         "7行目: 制御文字（0x7F）が含まれています。"},
        {"201,,1,1,1,,薬Ａ,3,1,錠\n", "7行目: 薬品レコードのRP番号がありません。"},
        {"201,2,1,1,1,,薬Ａ,3,1,錠\n",
         "7行目: 薬品レコードのRP番号 2 に剤形レコード（101）がありません。"},
        {"201,1,1,1,1,,薬Ａ,3,1,錠\n201,1,1,1,1,,薬Ｂ,3,1,錠\n",
         "8行目: RP番号 1 の薬品連番 1 が重複しています。"},
        {"101,1,2,,3\n", "7行目: RP番号 1 の剤形レコードが重複しています。"},
        {"111,1,1,,毎食後,3\n", "薬品のレコード（201）がありません。"},
    };
    for (const auto& [rest, error] : afterRp)
        EXPECT_EQ(refusalOf(samples::withHeader("101,1,1,,14\n" + std::string(rest))), error);
    EXPECT_EQ(readPrescription(samples::asCode(samples::withHeader("101,1,1,,14\n")) +
                               std::string("201,1,1,1,1,,A\0B,3,1,\r\n", 23))
                  .error,
              "7行目: 制御文字（0x00）が含まれています。");
}

TEST(PrescriptionReader, CharactersCp932CannotHoldAreMarkedAndNamed) {
    const std::string head = samples::withHeader("101,1,1,,14\n"), rp = samples::asCode(head);
    const std::string outside = "シフトJISで表せない文字があり、「■」で示しています。";
    const std::string invalid = "文字として読めないバイトがあり、「〓」で示しています。";
    struct Case {
        const char* name;
        std::string code;
        const char* drugName;  // UTF-8
        std::string check;     // of line 7
        bool onDrug;           // else among the prescription's warnings
    };
    const Case cases[] = {
        {"UTF-8 beyond CP932", head + "201,1,1,1,1,,𠮷草錠,3,1,錠\n", "■草錠", outside, true},
        {"U+FFFD of the intake window", head + "201,1,1,1,1,,\xEF\xBF\xBD錠,3,1,錠\n", "〓錠",
         invalid, true},
        {"CP932 byte forming no character",
         rp + "201,1,1,1,1,,\xFD" + sjis::fromUtf8("錠,3,1,錠\n"), "〓錠", invalid, true},
        {"a lead byte before a comma keeps the comma",
         rp + "201,1,1,1,1,,A\x81,3,1," + sjis::fromUtf8("錠\n"), "A〓", invalid, true},
        {"a header line", head + "5,,,医師 𠮷\n201,1,1,1,1,,薬,3,1,錠\n", "薬", outside, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Prescription p = readOk(c.code);
        const Drug& drug = p.rps.front().drugs.front();
        EXPECT_EQ(u(drug.name), c.drugName);
        EXPECT_EQ(c.onDrug ? drug.checks : p.warnings,
                  std::vector<std::string>{"7行目: " + c.check + "元の処方箋で確かめてください。"});
    }
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
    EXPECT_TRUE(Amount::parse("123456789.123456")) << "the longest amount";
    for (const char* bad : {"", ".", "1.", "1/0", "-1", "1,5", "１", "1234567890", "0.1234567"})
        EXPECT_FALSE(Amount::parse(bad).has_value()) << bad;
}

}  // namespace

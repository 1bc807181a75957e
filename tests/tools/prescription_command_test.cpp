// read-prescription on a real program folder (the sample catalogue and a code map imported
// from a master file), its JSON read back with Qt's parser.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>

#include "admin_fixture.h"
#include "master_file.h"
#include "qr_image.h"
#include "sample_codes.h"

namespace {

constexpr const char* kHeader =
    "JAHIS10\n1,1,1234567,13,医療法人 工業会病院\n5,,ｺｳｷﾞｮｳｶｲ ｼﾞﾛｳ,工業会 次郎\n"
    "11,,日薬 太郎,ﾆﾁﾔｸ ﾀﾛｳ\n12,1\n13,19600606\n51,20260410\n";
constexpr const char* kDaily = "101,1,1,,7\n111,1,1,,１日１回朝食後,1\n";

class PrescriptionCommand : public AdminTest {
  protected:
    void SetUp() override {
        ok({"init", folder()});
        ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
        const auto master = dir.path() / "y_ALL.csv";
        writeMaster(master, {{"620008001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10",
                              "2171901F2S93", "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ"}});
        ok({"import-master", folder(), master.string()});
    }
    int readText(const std::string& utf8) {
        return run({"read-prescription", folder(), write("rx.txt", samples::asCode(utf8))});
    }
    // The printed JSON's value at a dotted path ("drugs.0.match.method") as text, an array as
    // its elements joined by ","; a last part "#" counts the array's elements.
    std::string at(const std::string& path) const {
        QJsonParseError error;
        QJsonValue v =
            QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.str();
        for (const QString& part : QString::fromStdString(path).split('.')) {
            if (part == "#") return std::to_string(v.toArray().size());
            v = v.isArray() ? v.toArray()[part.toInt()] : v[part];
        }
        QStringList items;
        for (const QJsonValue& item : v.toArray()) items << item.toVariant().toString();
        return (v.isArray() ? items.join(',') : v.toVariant().toString()).toStdString();
    }
};

// The JSON's shape; which drug matches how is the prescription suite's.
TEST_F(PrescriptionCommand, PrintsPatientPrescriberDateAndEachDrugWithItsMatchAndDosage) {
    ASSERT_EQ(readText(std::string(kHeader) + "101,1,1,,14\n111,1,1,,１日３回毎食後服用,3\n"
                                              "201,1,1,1,2,620008001,アムロジピン錠５ｍｇ,3,1,錠\n"
                                              "201,1,2,1,,知らない薬,1,錠\n"),
              0)
        << err.str();
    const std::pair<const char*, const char*> values[] = {
        {"patient.name", "日薬 太郎"},
        {"patient.sex", "male"},
        {"patient.birth", "1960-06-06"},
        {"prescriber.text", "医療法人 工業会病院　工業会 次郎"},
        {"date", "2026-04-10"},
        {"left_out_for_room", "0"},
        {"drugs.#", "2"},
        {"drugs.0.code", "620008001"},
        {"drugs.0.match.method", "receipt_code"},
        {"drugs.0.match.yj_code", "2171901F2S93"},
        {"drugs.0.in_print_list", "true"},
        {"drugs.0.timings", "0,1,1,1,0"},
        {"drugs.0.meal_timing", "after"},
        {"drugs.0.usage", "１日３回毎食後服用"},
        {"drugs.0.amount", "用量　１回１錠"},
        {"drugs.0.days", "１４日分"},
        {"drugs.0.checks.#", "0"},
        {"drugs.1.match.method", "unmatched"},
        {"drugs.1.in_print_list", "false"},
        {"drugs.1.checks.#", "1"},  // a drug record with fields left out
    };
    for (const auto& [path, value] : values) EXPECT_EQ(at(path), value) << path;
}

TEST_F(PrescriptionCommand, TheThirtyFirstMatchedDrugIsLeftOutWithAMessage) {
    std::string rps = kDaily;
    for (int serial = 1; serial <= 31; ++serial)
        rps += "201,1," + std::to_string(serial) + ",1,4,2325903F2M95,ファモチジン錠,1,1,錠\n";
    ASSERT_EQ(readText(kHeader + rps), 0) << err.str();
    EXPECT_EQ(at("drugs.#"), "31");
    EXPECT_EQ(at("drugs.30.in_print_list"), "false");
    EXPECT_EQ(at("left_out_for_room"), "1");
    EXPECT_NE(err.str().find("一度に印刷できる薬剤の数は30迄です。"), std::string::npos);
}

// Pictures are read as the intake reads them; a PDF page only here.
TEST_F(PrescriptionCommand, APdfPageOfTheSymbolsGivesWhatItsTextGives) {
    const std::string text = std::string(kHeader) + kDaily +
                             "201,1,1,1,4,2325903F2M95,ファモチジン錠２０ｍｇ「見本」,1,1,錠\n";
    ASSERT_EQ(readText(text), 0) << err.str();
    const std::string fromText = out.str(), pdf = (dir.path() / "rx.pdf").string();
    {
        // The symbol printed 3 cm wide on an A4 page, as on a prescription form.
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(300);
        QPainter(&writer).drawImage(QRect(300, 300, 354, 354),
                                    qrtest::oneSymbol(samples::asCode(text)));
    }
    ok({"read-prescription", folder(), pdf});
    EXPECT_EQ(out.str(), fromText);
    // A PDF file cut short cannot be read.
    std::filesystem::resize_file(pdf, 400);
    fails({"read-prescription", folder(), pdf}, admin::kRefused, "PDFファイル");
    EXPECT_EQ(out.str(), "");
}

TEST_F(PrescriptionCommand, ARefusedTextPrintsNoJsonAndNamesTheLine) {
    EXPECT_EQ(readText("JAHIS99\n1,1,1234567,13,病院\n"), admin::kRefused);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("1行目"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing goes into the print list"), std::string::npos);
    fails({"read-prescription", folder(), (dir.path() / "none.txt").string()}, admin::kRefused,
          "cannot be opened");
}

}  // namespace

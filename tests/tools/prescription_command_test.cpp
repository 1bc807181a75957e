// read-prescription on a real program folder (the sample catalogue and a code map imported
// from a master file), its JSON read back with Qt's parser.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <fstream>

#include "admin_fixture.h"
#include "master_file.h"
#include "qr_image.h"
#include "sample_codes.h"

namespace {

constexpr const char* kHeader =
    "JAHIS10\n"
    "1,1,1234567,13,医療法人 工業会病院\n"
    "5,,ｺｳｷﾞｮｳｶｲ ｼﾞﾛｳ,工業会 次郎\n"
    "11,,日薬 太郎,ﾆﾁﾔｸ ﾀﾛｳ\n"
    "12,1\n"
    "13,19600606\n"
    "51,20260410\n";

class PrescriptionCommand : public AdminTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
        ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
        const auto master = dir.path() / "y_ALL.csv";
        writeMaster(master, {{"620008001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10",
                              "2171901F2S93", "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ"}});
        ASSERT_EQ(run({"import-master", folder(), master.string()}), 0) << err.str();
    }

    int readText(const std::string& utf8) {
        const auto file = dir.path() / "rx.txt";
        std::ofstream(file, std::ios::binary) << samples::asCode(utf8);
        return run({"read-prescription", folder(), file.string()});
    }
    QJsonObject json() const {
        QJsonParseError error;
        const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.str();
        return doc.object();
    }
    static std::string str(const QJsonValue& v) { return v.toString().toStdString(); }
    static std::vector<double> timings(const QJsonObject& drug) {
        std::vector<double> out;
        for (const QJsonValue& v : drug["timings"].toArray()) out.push_back(v.toDouble());
        return out;
    }
};

// The JSON's shape; which drug matches how is the prescription suite's.
TEST_F(PrescriptionCommand, PrintsPatientPrescriberDateAndEachDrugWithItsMatchAndDosage) {
    ASSERT_EQ(readText(std::string(kHeader) + "101,1,1,,14\n"
                                              "111,1,1,,１日３回毎食後服用,3\n"
                                              "201,1,1,1,2,620008001,アムロジピン錠５ｍｇ,3,1,錠\n"
                                              "201,1,2,1,,知らない薬,1,錠\n"),
              0)
        << err.str();
    const QJsonObject o = json();
    EXPECT_EQ(str(o["patient"]["name"]), "日薬 太郎");
    EXPECT_EQ(str(o["patient"]["sex"]), "male");
    EXPECT_EQ(str(o["patient"]["birth"]), "1960-06-06");
    EXPECT_EQ(str(o["prescriber"]["text"]), "医療法人 工業会病院　工業会 次郎");
    EXPECT_EQ(str(o["date"]), "2026-04-10");
    EXPECT_EQ(o["left_out_for_room"].toInt(), 0);
    const QJsonArray drugs = o["drugs"].toArray();
    ASSERT_EQ(drugs.size(), 2);
    const QJsonObject amlodipine = drugs[0].toObject();
    EXPECT_EQ(str(amlodipine["code"]), "620008001");
    EXPECT_EQ(str(amlodipine["match"]["method"]), "receipt_code");
    EXPECT_EQ(str(amlodipine["match"]["yj_code"]), "2171901F2S93");
    EXPECT_TRUE(amlodipine["in_print_list"].toBool());
    EXPECT_EQ(timings(amlodipine), (std::vector<double>{0, 1, 1, 1, 0}));
    EXPECT_EQ(str(amlodipine["meal_timing"]), "after");
    EXPECT_EQ(str(amlodipine["usage"]), "１日３回毎食後服用");
    EXPECT_EQ(str(amlodipine["amount"]), "用量　１回１錠");
    EXPECT_EQ(str(amlodipine["days"]), "１４日分");
    EXPECT_EQ(str(drugs[1]["match"]["method"]), "unmatched");
    EXPECT_FALSE(drugs[1]["in_print_list"].toBool());
    EXPECT_TRUE(amlodipine["checks"].toArray().isEmpty());
    EXPECT_EQ(drugs[1]["checks"].toArray().size(), 1) << "a drug record with fields left out";
}

TEST_F(PrescriptionCommand, TheThirtyFirstMatchedDrugIsLeftOutWithAMessage) {
    std::string rps = "101,1,1,,7\n111,1,1,,１日１回朝食後,1\n";
    for (int serial = 1; serial <= 31; ++serial)
        rps += "201,1," + std::to_string(serial) + ",1,4,2325903F2M95,ファモチジン錠,1,1,錠\n";
    ASSERT_EQ(readText(kHeader + rps), 0) << err.str();
    const QJsonArray drugs = json()["drugs"].toArray();
    ASSERT_EQ(drugs.size(), 31);
    EXPECT_FALSE(drugs[30]["in_print_list"].toBool());
    EXPECT_EQ(json()["left_out_for_room"].toInt(), 1);
    EXPECT_NE(err.str().find("一度に印刷できる薬剤の数は30迄です。"), std::string::npos);
}

// Pictures are read as the intake reads them; a PDF page only here.
TEST_F(PrescriptionCommand, APdfPageOfTheSymbolsGivesWhatItsTextGives) {
    const std::string text = std::string(kHeader) +
                             "101,1,1,,7\n111,1,1,,１日１回朝食後,1\n"
                             "201,1,1,1,4,2325903F2M95,ファモチジン錠２０ｍｇ「見本」,1,1,錠\n";
    ASSERT_EQ(readText(text), 0) << err.str();
    const std::string fromText = out.str();
    const QString pdf = QString::fromStdString((dir.path() / "rx.pdf").string());
    {
        // The symbol printed 3 cm wide on an A4 page, as on a prescription form.
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        QPainter painter(&writer);
        painter.drawImage(QRect(300, 300, 354, 354), qrtest::oneSymbol(samples::asCode(text)));
    }
    ASSERT_EQ(run({"read-prescription", folder(), pdf.toStdString()}), 0) << err.str();
    EXPECT_EQ(out.str(), fromText);

    // A PDF file cut short cannot be read.
    std::filesystem::resize_file(pdf.toStdString(), 400);
    EXPECT_EQ(run({"read-prescription", folder(), pdf.toStdString()}), admin::kRefused);
    EXPECT_NE(err.str().find("PDFファイル"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST_F(PrescriptionCommand, ARefusedTextPrintsNoJsonAndNamesTheLine) {
    EXPECT_EQ(readText("JAHIS99\n1,1,1234567,13,病院\n"), admin::kRefused);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("1行目"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing goes into the print list"), std::string::npos);

    EXPECT_EQ(run({"read-prescription", folder(), (dir.path() / "none.txt").string()}),
              admin::kRefused);
    EXPECT_NE(err.str().find("cannot be opened"), std::string::npos);
}

}  // namespace

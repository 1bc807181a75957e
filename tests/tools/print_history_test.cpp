// leafletadmin's store-leaflet, handbook-qr, pictograms and print-history on a real program folder:
// a stored leaflet written to PDF with the register's name, the settings' business data, the
// photographs and the e-medication-handbook codes, decoded back from the rendered PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <fstream>

#include "admin_fixture.h"
#include "handbook_reading.h"
#include "master_file.h"
#include "patientbase.h"
#include "pdf_reading.h"
#include "sample_photos.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "stored_histories.h"
#include "symbol_reading.h"

namespace {

constexpr const char* kNewer = "2171901F2S93";  // アムロジピン錠５ｍｇ「サンプル」
constexpr const char* kOlder = "2649902S1R92";  // ロキソプロフェンＮａテープ１００ｍｇ「例題」

class PrintHistory : public AdminTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(run({"init", folder()}), 0) << err.str();
        ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
        ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(run({"add-patient", folder(), "7", "見本　花子"}), 0) << err.str();
        std::ofstream(dir.path() / "データベース" / "処方医.txt") << "見本内科　見本 一郎\n";
        settings::SettingsBlock settings{};
        const auto file = settings::settingsFilePath(dir.path());
        ASSERT_TRUE(settings::loadSettings(file, settings).ok());
        settings.businessType = 1;
        sjis::copyField(settings.pharmacyName, sizeof settings.pharmacyName,
                        sjis::fromUtf8("サンプル薬局"));
        ASSERT_TRUE(settings::saveSettings(file, settings).ok());
    }

    // Stores a leaflet of the drug `yjcode` for patient 7 with store-leaflet and returns its
    // slot time text.
    std::string store(const char* yjcode, std::string_view days) {
        const auto json = dir.path() / "leaflet.json";
        std::ofstream(json) << "[{\"yjcode\": \"" << yjcode
                            << "\", \"timings\": [0, 1], \"usage\": \"１日１回  朝食後に服用\", "
                               "\"days\": \""
                            << days << "\"}]";
        EXPECT_EQ(run({"store-leaflet", folder(), "7", json.string()}), 0) << err.str();
        EXPECT_EQ(LRecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
        const std::string newest = slotTime(historyStamps(7).at(0));
        LRecordClose();
        return newest;
    }

    std::string pdf() const { return (dir.path() / "reprint.pdf").string(); }

    // The e-medication-handbook text of the codes on the PDF's pages.
    std::string codesText() const {
        std::vector<std::string> parts;
        for (const DecodedSymbol& s : decodeSymbols(pdfPageImages(pdf()))) parts.push_back(s.bytes);
        return parts.size() == 1 ? parts[0] : joinParts(parts);
    }
};

TEST_F(PrintHistory, WritesTheNewestOrTheChosenStoredLeafletWithPhotographsAndCodes) {
    const std::string older = store(kOlder, "２８枚");
    EXPECT_TRUE(printed("stored a leaflet of 1 drug for patient 7 見本　花子")) << out.str();
    const std::string newer = store(kNewer, "１４日分");
    ASSERT_NE(older, newer) << "a leaflet stored in the same second waits for a stamp of its own";
    ASSERT_EQ(run({"handbook-qr", folder(), "on"}), 0) << err.str();
    EXPECT_TRUE(printed("e-medication-handbook codes on"));

    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), 0) << err.str();
    EXPECT_TRUE(printed(newer)) << out.str();
    std::string text = pdfText(pdf());
    for (const char* expected : {"見本花子様のお薬の説明書です", "アムロジピン錠５ｍｇ「サン",
                                 "見本内科", "サンプル薬局", "お薬手帳QR(1/1)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    EXPECT_EQ(text.find("ロキソプロフェン"), std::string::npos) << "the older leaflet";
    EXPECT_EQ(pdfImageCount(pdf()), 1);
    ReadDispensing read = readDispensing(codesText());
    EXPECT_EQ(read.patient, "") << "no patient record without the register's sex and birth date";
    EXPECT_EQ(sjis::toUtf8(read.pharmacy), "サンプル薬局");
    EXPECT_EQ(sjis::toUtf8(read.prescriber), "見本内科　見本 一郎");
    const std::string day = newer.substr(0, 4) + newer.substr(5, 2) + newer.substr(8, 2);
    EXPECT_EQ(read.date, day) << "dispensed on the day it was stored";
    ASSERT_EQ(read.drugs.size(), 1u);
    EXPECT_EQ(read.drugs[0].code, kNewer);
    EXPECT_EQ(read.drugs[0].quantity, "14");

    ASSERT_EQ(run({"handbook-qr", folder(), "off"}), 0) << err.str();
    ASSERT_EQ(run({"print-history", folder(), "7", pdf(), older}), 0) << err.str();
    text = pdfText(pdf());
    EXPECT_NE(text.find("ロキソプロフェンＮａテープ"), std::string::npos) << text;
    EXPECT_EQ(text.find("お薬手帳QR"), std::string::npos) << "codes switched off";
    EXPECT_EQ(codesText(), "");
    const int pictures = pdfImageCount(pdf());

    ASSERT_EQ(run({"pictograms", folder(), "on"}), 0) << err.str();
    EXPECT_TRUE(printed("usage pictograms on"));
    ASSERT_EQ(run({"print-history", folder(), "7", pdf(), older}), 0) << err.str();
    EXPECT_EQ(pdfImageCount(pdf()), pictures + 3) << "朝, 食後 and the patch's 貼る";

    const double label = pdfWordHeight(pdf(), "寝前");
    ASSERT_EQ(run({"large-print", folder(), "on"}), 0) << err.str();
    EXPECT_TRUE(printed("large print on"));
    ASSERT_EQ(run({"print-history", folder(), "7", pdf(), older}), 0) << err.str();
    EXPECT_GT(pdfWordHeight(pdf(), "寝前"), 1.3 * label);

    // The generic-drug line needs the master's facts, read after the recall's drugs.
    const auto master = dir.path() / "master.csv";
    writeMaster(master, {{"620000001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10", kNewer,
                          "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ", "1"}});
    ASSERT_EQ(run({"import-master", folder(), master.string()}), 0) << err.str();
    ASSERT_EQ(run({"generic-info", folder(), "on"}), 0) << err.str();
    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), 0) << err.str();
    EXPECT_NE(pdfText(pdf()).find("後発医薬品"), std::string::npos) << pdfText(pdf());
}

TEST_F(PrintHistory, RefusesWhatItCannotFindWithAMessageAndWritesNothing) {
    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), admin::kRefused);
    EXPECT_NE(err.str().find("patient 7 has no leaflet"), std::string::npos) << err.str();
    store(kNewer, "１４日分");
    const auto json = [this](const char* name, const std::string& text) {
        std::ofstream((dir.path() / name).string()) << text;
        return (dir.path() / name).string();
    };
    const std::string one = json("one.json", R"([{"yjcode": "2171901F2S93"}])");
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string message;
    } cases[] = {
        {{"print-history", folder(), "8", pdf()}, admin::kRefused, "patient 8 is not registered"},
        {{"print-history", folder(), "7", pdf(), "2001/01/01 00:00:00"},
         admin::kRefused,
         "no leaflet stored at 2001/01/01 00:00:00"},
        {{"print-history", folder(), "7", pdf(), "2001/1/1 0:00:00"}, admin::kUsage, "YYYY/MM/DD"},
        {{"print-history", folder(), "x7", pdf()}, admin::kUsage, "positive whole number"},
        {{"print-history", folder(), "7"}, admin::kUsage, "usage:"},
        {{"handbook-qr", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"pictograms", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"large-print", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"generic-info", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"store-leaflet", folder(), "8", one}, admin::kRefused, "patient 8 is not registered"},
        {{"store-leaflet", folder(), "7", json("bad.json", "[{")}, admin::kRefused, "not JSON"},
        {{"store-leaflet", folder(), "7", json("none.json", "[]")},
         admin::kRefused,
         "a list of 1 to 30 drugs"},
        {{"store-leaflet", folder(), "7", json("code.json", R"([{"yjcode": "0000000X0000"}])")},
         admin::kRefused,
         "drug 1: 0000000X0000 is not in the catalogue"},
        {{"store-leaflet", folder(), "7",
          json("half.json", R"([{"yjcode": "2171901F2S93", "timings": [0.25]}])")},
         admin::kRefused,
         "whole or half units"},
        {{"store-leaflet", folder(), "7",
          json("typo.json",
               R"([{"yjcode": "2171901F2S93", "day)" + std::string(5000, 'y') + R"(": "7日分"}])")},
         admin::kRefused,
         "unknown field \"day" + std::string(27, 'y') + "…\" (a drug has"},
        {{"store-leaflet", folder(), "7",
          json("long.json",
               R"([{"yjcode": "2171901F2S93", "days": ")" + std::string(21, '7') + R"("}])")},
         admin::kRefused,
         "\"days\" is longer than 20 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(run(c.args), c.exit);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(pdf()));
    }
    ASSERT_EQ(run({"print-history", folder(), "7", pdf()}), 0) << err.str();
    EXPECT_NE(pdfText(pdf()).find("１４日分"), std::string::npos) << "nothing refused was stored";
}

TEST_F(PrintHistory, ADrugGoneFromTheCatalogueIsNamedAndTheOthersArePrinted) {
    std::string stored = kNewer + std::string(137 - 12, '$') + "USER00000009";
    stored.resize(4110, '$');
    ASSERT_EQ(LRecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
    ASSERT_EQ(LRecordRIREKI(7, stored.c_str()), 0);
    LRecordClose();
    EXPECT_EQ(run({"print-history", folder(), "7", pdf()}), admin::kPartial);
    EXPECT_NE(err.str().find("no longer in the drug database: USER00000009"), std::string::npos)
        << err.str();
    EXPECT_NE(pdfText(pdf()).find("アムロジピン錠５ｍｇ「サン"), std::string::npos);
}

}  // namespace

TEST_F(PrintHistory, StickerWidthIsSetByNameAndTheStickerOfAStoredLeafletTakesIt) {
    struct Case {
        const char* name;
        const char* argument;
        int status;
        int stored;  // the settings slot afterwards
    };
    const Case cases[] = {{"58 mm", "width=58", 0, 58},
                          {"62 mm, the default, is stored as 0", "width=62", 0, 0},
                          {"80 mm", "width=80", 0, 80},
                          {"another width is refused", "width=70", 2, 80},
                          {"a bare number is refused", "58", 2, 80}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run({"sticker", folder(), c.argument}), c.status) << err.str();
        settings::SettingsBlock settings{};
        ASSERT_TRUE(settings::loadSettings(settings::settingsFilePath(dir.path()), settings).ok());
        EXPECT_EQ(settings.options[settings::kOptionStickerWidth], c.stored);
    }

    EXPECT_EQ(run({"print-sticker", folder(), "7", pdf()}), 1) << "nothing stored yet";
    store(kNewer, "１４日分");
    ASSERT_EQ(run({"print-sticker", folder(), "7", pdf()}), 0) << err.str();
    EXPECT_NE(pdfInfo(pdf()).find("Pagesize:227x"), std::string::npos) << pdfInfo(pdf());
    const std::string text = pdfText(pdf());
    for (const char* expected : {"見本花子様", "アムロジピン錠５ｍｇ「サンプル」", "１４日分",
                                 "朝食後に服用", "サンプル薬局", "見本内科"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
}

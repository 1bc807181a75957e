// leafletadmin's store-leaflet, the page switches, print-history and print-sticker on a real
// program folder: a stored leaflet written to PDF with the register's name, the settings'
// business data, the photographs and the e-medication-handbook codes, read back from the PDF.
#include "admin_fixture.h"
#include "handbook_reading.h"
#include "master_file.h"
#include "pdf_reading.h"
#include "sample_photos.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "symbol_reading.h"

namespace {

constexpr const char* kNewer = "2171901F2S93";  // アムロジピン錠５ｍｇ「サンプル」
constexpr const char* kOlder = "2649902S1R92";  // ロキソプロフェンＮａテープ１００ｍｇ「例題」

class PrintHistory : public AdminTest {
  protected:
    void SetUp() override {
        ok({"init", folder()});
        ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
        ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
        ok({"add-patient", folder(), "7", "見本　花子"});
        write("データベース/処方医.txt", "見本内科　見本 一郎\n");
        settings::SettingsBlock s = loaded();
        s.businessType = 1;
        sjis::copyField(s.pharmacyName, sizeof s.pharmacyName, sjis::fromUtf8("サンプル薬局"));
        ASSERT_TRUE(settings::saveSettings(settings::settingsFilePath(dir.path()), s).ok());
    }
    settings::SettingsBlock loaded() const {
        settings::SettingsBlock s{};
        EXPECT_TRUE(settings::loadSettings(settings::settingsFilePath(dir.path()), s).ok());
        return s;
    }

    // Stores a leaflet of the drug `yjcode` for patient 7; its slot time text.
    std::string store(const char* yjcode, std::string_view days) {
        ok({"store-leaflet", folder(), "7",
            write("leaflet.json", "[{\"yjcode\": \"" + std::string(yjcode) +
                                      "\", \"timings\": [0, 1], \"usage\": \"１日１回  "
                                      "朝食後に服用\", \"days\": \"" +
                                      std::string(days) + "\"}]")});
        EXPECT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
        const std::string newest = slotTime(historyStamps(7).at(0));
        LRecordClose();
        return newest;
    }
    const std::string pdf = (dir.path() / "reprint.pdf").string();
    // Reprints a leaflet (the newest without `stamp`); the PDF's text.
    std::string reprint(const std::string& stamp = "") {
        ok(stamp.empty() ? std::vector<std::string>{"print-history", folder(), "7", pdf}
                         : std::vector<std::string>{"print-history", folder(), "7", pdf, stamp});
        return pdfText(pdf);
    }
    // The e-medication-handbook text of the codes on the PDF's pages.
    std::string codesText() const {
        std::vector<std::string> parts;
        for (const DecodedSymbol& s : decodeSymbols(pdfPageImages(pdf))) parts.push_back(s.bytes);
        return parts.size() == 1 ? parts[0] : joinParts(parts);
    }
};

TEST_F(PrintHistory, WritesTheNewestOrTheChosenStoredLeafletWithPhotographsAndCodes) {
    const std::string older = store(kOlder, "２８枚");
    EXPECT_TRUE(printed("stored a leaflet of 1 drug for patient 7 見本　花子")) << out.str();
    const std::string newer = store(kNewer, "１４日分");
    ASSERT_NE(older, newer) << "a leaflet stored in the same second waits for a stamp of its own";
    ok({"handbook-qr", folder(), "on"});
    EXPECT_TRUE(printed("e-medication-handbook codes on"));

    std::string text = reprint();
    EXPECT_TRUE(printed(newer)) << out.str();
    for (const char* expected : {"見本花子様のお薬の説明書です", "アムロジピン錠５ｍｇ「サン",
                                 "見本内科", "サンプル薬局", "お薬手帳QR(1/1)"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    EXPECT_EQ(text.find("ロキソプロフェン"), std::string::npos) << "the older leaflet";
    EXPECT_EQ(pdfImageCount(pdf), 1);
    const ReadDispensing read = readDispensing(codesText());
    EXPECT_EQ(read.patient, "") << "no patient record without the register's sex and birth date";
    EXPECT_EQ(sjis::toUtf8(read.pharmacy), "サンプル薬局");
    EXPECT_EQ(sjis::toUtf8(read.prescriber), "見本内科　見本 一郎");
    EXPECT_EQ(read.date, newer.substr(0, 4) + newer.substr(5, 2) + newer.substr(8, 2))
        << "dispensed on the day it was stored";
    ASSERT_EQ(read.drugs.size(), 1u);
    EXPECT_EQ(read.drugs[0].code, kNewer);
    EXPECT_EQ(read.drugs[0].quantity, "14");

    ok({"handbook-qr", folder(), "off"});
    text = reprint(older);
    EXPECT_NE(text.find("ロキソプロフェンＮａテープ"), std::string::npos) << text;
    EXPECT_EQ(text.find("お薬手帳QR"), std::string::npos) << "codes switched off";
    EXPECT_EQ(codesText(), "");
    const int pictures = pdfImageCount(pdf);
    ok({"pictograms", folder(), "on"});
    EXPECT_TRUE(printed("usage pictograms on"));
    reprint(older);
    EXPECT_EQ(pdfImageCount(pdf), pictures + 3) << "朝, 食後 and the patch's 貼る";
    const double label = pdfWordHeight(pdf, "寝前");
    ok({"large-print", folder(), "on"});
    EXPECT_TRUE(printed("large print on"));
    reprint(older);
    EXPECT_GT(pdfWordHeight(pdf, "寝前"), 1.3 * label);

    // The generic-drug line needs the master's facts, read after the recall's drugs.
    const auto master = dir.path() / "master.csv";
    writeMaster(master, {{"620000001", "アムロジピン錠５ｍｇ「サンプル」", "錠", "10.10", kNewer,
                          "2171901F2ZZZ", "【般】アムロジピン錠５ｍｇ", "1"}});
    ok({"import-master", folder(), master.string()});
    ok({"generic-info", folder(), "on"});
    text = reprint();
    EXPECT_NE(text.find("後発医薬品"), std::string::npos) << text;
}

TEST_F(PrintHistory, RefusesWhatItCannotFindWithAMessageAndWritesNothing) {
    fails({"print-history", folder(), "7", pdf}, admin::kRefused, "patient 7 has no leaflet");
    store(kNewer, "１４日分");
    int files = 0;  // each case's file of its own, all written before the first runs
    const auto json = [&](const std::string& text) {
        return write("in" + std::to_string(++files) + ".json", text);
    };
    const auto drug = [&](const std::string& more) {
        return json(R"([{"yjcode": "2171901F2S93")" + more + "}]");
    };
    const struct {
        std::vector<std::string> args;
        int exit;
        std::string message;
    } cases[] = {
        {{"print-history", folder(), "8", pdf}, admin::kRefused, "patient 8 is not registered"},
        {{"print-history", folder(), "7", pdf, "2001/01/01 00:00:00"},
         admin::kRefused,
         "no leaflet stored at 2001/01/01 00:00:00"},
        {{"print-history", folder(), "7", pdf, "2001/1/1 0:00:00"}, admin::kUsage, "YYYY/MM/DD"},
        {{"print-history", folder(), "x7", pdf}, admin::kUsage, "positive whole number"},
        {{"print-history", folder(), "7"}, admin::kUsage, "usage:"},
        {{"handbook-qr", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"pictograms", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"large-print", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"generic-info", folder(), "yes"}, admin::kUsage, "usage:"},
        {{"store-leaflet", folder(), "8", drug("")},
         admin::kRefused,
         "patient 8 is not registered"},
        {{"store-leaflet", folder(), "7", json("[{")}, admin::kRefused, "not JSON"},
        {{"store-leaflet", folder(), "7", json("[]")}, admin::kRefused, "a list of 1 to 30 drugs"},
        {{"store-leaflet", folder(), "7", json(R"([{"yjcode": "0000000X0000"}])")},
         admin::kRefused,
         "drug 1: 0000000X0000 is not in the catalogue"},
        {{"store-leaflet", folder(), "7", drug(R"(, "timings": [0.25])")},
         admin::kRefused,
         "whole or half units"},
        {{"store-leaflet", folder(), "7",
          drug(R"(, "day)" + std::string(5000, 'y') + R"(": "7日分")")},
         admin::kRefused,
         "unknown field \"day" + std::string(27, 'y') + "…\" (a drug has"},
        {{"store-leaflet", folder(), "7", drug(R"(, "days": ")" + std::string(21, '7') + "\"")},
         admin::kRefused,
         "\"days\" is longer than 20 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        fails(c.args, c.exit, c.message);
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
    EXPECT_NE(reprint().find("１４日分"), std::string::npos) << "nothing refused was stored";
}

TEST_F(PrintHistory, ADrugGoneFromTheCatalogueIsNamedAndTheOthersArePrinted) {
    std::string stored = kNewer + std::string(137 - 12, '$') + "USER00000009";
    stored.resize(4110, '$');
    ASSERT_EQ(LRecordOpen(data().c_str(), nullptr), 0);
    ASSERT_EQ(LRecordRIREKI(7, stored.c_str()), 0);
    LRecordClose();
    fails({"print-history", folder(), "7", pdf}, admin::kPartial,
          "no longer in the drug database: USER00000009");
    EXPECT_NE(pdfText(pdf).find("アムロジピン錠５ｍｇ「サン"), std::string::npos);
}

TEST_F(PrintHistory, StickerWidthIsSetByNameAndTheStickerOfAStoredLeafletTakesIt) {
    // The argument, the command's status and the settings slot afterwards (62 mm is 0).
    const std::tuple<const char*, int, int> cases[] = {{"width=58", 0, 58},
                                                       {"width=62", 0, 0},
                                                       {"width=80", 0, 80},
                                                       {"width=70", 2, 80},
                                                       {"58", 2, 80}};
    for (const auto& [argument, status, stored] : cases) {
        EXPECT_EQ(run({"sticker", folder(), argument}), status) << argument << err.str();
        EXPECT_EQ(loaded().options[settings::kOptionStickerWidth], stored) << argument;
    }
    EXPECT_EQ(run({"print-sticker", folder(), "7", pdf}), 1) << "nothing stored yet";
    store(kNewer, "１４日分");
    ok({"print-sticker", folder(), "7", pdf});
    EXPECT_NE(pdfInfo(pdf).find("Pagesize:227x"), std::string::npos) << pdfInfo(pdf);
    const std::string text = pdfText(pdf);
    for (const char* expected : {"見本花子様", "アムロジピン錠５ｍｇ「サンプル」", "１４日分",
                                 "朝食後に服用", "サンプル薬局", "見本内科"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
}

}  // namespace

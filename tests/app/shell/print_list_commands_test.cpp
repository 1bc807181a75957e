// The print list's commands on the main window. 前回Do (F8): the applied patient's newest stored
// leaflet back into the print list, asking first when the list holds drugs; without a patient or
// a stored leaflet a message and nothing changed. お薬手帳シール (F11): nothing from an empty
// list; from the print list a PDF at the width chosen in its dialog, the width kept in the
// settings and the printer kept for this terminal. 印刷の設定 (F12): the switches and the width
// saved to the settings file.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <sstream>

#include "drugbase.h"
#include "leaflet/print_entry.h"
#include "pdf_reading.h"
#include "program_fixture.h"
#include "sjis/sjis.h"
#include "sticker/sticker_printer.h"

namespace {

class PrintListCommands : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Through leafletadmin before the program starts, as the sample folder is made.
        std::ostringstream out, err;
        ASSERT_EQ(admin::addPatient(dir.path(), "1", "見本 一郎", {}, out, err), 0) << err.str();
        ASSERT_EQ(admin::addPatient(dir.path(), "12", "別の 患者", {}, out, err), 0) << err.str();
        for (const char* leaflet : {"1-first.json", "1-second.json"})
            ASSERT_EQ(admin::storeLeaflet(dir.path(), "1",
                                          std::string(SAMPLE_LEAFLETS) + "/" + leaflet, out, err),
                      0)
                << err.str();
        ASSERT_TRUE(start());
        prompts.shown.clear();  // the start-up's note of a new settings file
    }
    void press(Qt::Key key) {
        activate();
        QTest::keyClick(window.get(), key);
    }
    // The YJ codes and usage texts of the print list, in order.
    std::vector<std::string> listed() {
        std::vector<std::string> rows;
        for (const DrugRecord& entry : desk->printList().entries())
            rows.push_back(std::string(leaflet::field(entry.YJCODE)) + " " +
                           sjis::toUtf8(leaflet::usageText(entry)));
        return rows;
    }
    void addOwnDrug() {
        DrugRecord entry{};
        ASSERT_EQ(RecordDetail(&entry, "2325903F2M95"), 0);
        ASSERT_TRUE(desk->append(entry, nullptr));
    }
};

const std::vector<std::string> kNewest = {"2171901F2S93 １日１回  朝食後に服用",
                                          "2189906F2M90 １日１回  夕食後に服用",
                                          "2325903F2M95 １日２回  朝夕食後に服用"};

// Each row starts from a list holding one drug, but the last from an empty one.
TEST_F(PrintListCommands, RepeatLastFillsTheNewestLeafletAskingFirstOrSaysWhyNot) {
    struct Case {
        const char* name;
        const char* id;
        const char* patient;
        std::deque<bool> answers;  // a question is asked exactly when answers are scripted
        const char* message;       // told instead, or none
        bool filled;
    };
    const Case cases[] = {
        {"no patient applied", "", "", {}, "患者が適用されていません。", false},
        {"no leaflet stored",
         "12",
         "別の 患者",
         {},
         "この患者の投薬履歴は保存されていません。",
         false},
        {"list of drugs kept", "1", "見本 一郎", {false}, nullptr, false},
        {"list of drugs replaced", "1", "見本 一郎", {true}, nullptr, true},
        {"empty list filled", "1", "見本 一郎", {}, nullptr, true},
    };
    addOwnDrug();
    const std::vector<std::string> own = listed();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk->clear();
        if (std::string(c.name) != "empty list filled") addOwnDrug();
        desk->applyPatient(c.id, c.patient);
        prompts.shown.clear();
        prompts.yesNo = c.answers;
        press(Qt::Key_F8);
        ASSERT_EQ(prompts.shown.size(), c.message || !c.answers.empty() ? 1u : 0u)
            << "an empty list is filled without a question";
        if (c.message) {
            EXPECT_EQ(prompts.shown[0].text.find(c.message), 0u) << prompts.shown[0].text;
        }
        if (!c.answers.empty()) {
            EXPECT_EQ(prompts.shown[0].preset, ui::Default::No);
        }
        EXPECT_EQ(listed(), c.filled ? kNewest : own);
        EXPECT_EQ(desk->patient().name, c.patient);
        if (c.filled) {  // the recalled list belongs to its patient: another one asks first
            prompts.yesNo = {false};
            EXPECT_FALSE(desk->changePatient("2", "見本 二郎", nullptr));
        }
    }
}

TEST_F(PrintListCommands, StickerOfThePrintListSavedAtTheChosenWidthWithTheChoicesKept) {
    press(Qt::Key_F11);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"印刷リストが空の状態です。"});
    addOwnDrug();
    desk->applyPatient("", "見本 花子");
    ASSERT_TRUE(sticker::saveStickerPrinter(dir.path(), "ラベル 62"));
    const std::string pdf = (jobsDir.path() / "sticker").string();
    prompts.files.push_back(QString::fromStdString(pdf));
    whenModal("stickerDialog", [](QWidget* dialog) {
        auto* width = child<QComboBox>(dialog, "stickerWidthBox");
        EXPECT_EQ(width->currentData().toInt(), 62) << "the default roll";
        width->setCurrentIndex(width->findData(80));
        auto* printer = child<QComboBox>(dialog, "stickerPrinterBox");
        EXPECT_EQ(printer->currentData().toString(), "ラベル 62") << "kept, though not present";
        printer->setCurrentIndex(0);  // the default printer
        child<QPushButton>(dialog, "saveStickerPdfButton")->click();
    });
    press(Qt::Key_F11);
    EXPECT_EQ(prompts.texts().back(), "お薬手帳シールをPDFファイルに保存しました。");
    EXPECT_NE(pdfInfo(pdf + ".pdf").find("Pagesize:227x"), std::string::npos);
    const std::string text = pdfText(pdf + ".pdf");
    EXPECT_NE(text.find("見本花子様"), std::string::npos) << text;
    EXPECT_NE(text.find("ファモチジン錠２０ｍｇ「見本」"), std::string::npos) << text;
    EXPECT_EQ(savedSettings().options[settings::kOptionStickerWidth], 80);
    EXPECT_EQ(sticker::loadStickerPrinter(dir.path()), "") << "the default printer";
}

TEST_F(PrintListCommands, PrintSettingsSwitchTheLeafletsElementsFromTheKeyboard) {
    // Keys go to the dialog's focus widget: Tab from box to box, Space to switch, Up to the
    // narrower roll, Return for OK; Escape leaves everything as it was. The window gets its
    // first focus when it is activated, which a loaded machine may do after it is shown.
    const auto keys = [](QWidget* dialog, std::initializer_list<Qt::Key> pressed) {
        ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->focusWidget() != nullptr; }));
        for (const Qt::Key key : pressed) QTest::keyClick(dialog->focusWidget(), key);
    };
    whenModal("printSettingsDialog", [&](QWidget* dialog) {
        keys(dialog, {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab,
                      Qt::Key_Up, Qt::Key_Return});
    });
    press(Qt::Key_F12);
    const auto saved = [this] {
        const settings::SettingsBlock s = savedSettings();
        return std::vector<int>(s.options + settings::kOptionPictograms,
                                s.options + settings::kOptionStickerWidth + 1);
    };
    // Pictograms off, generic information and large print on, the sticker 58 mm wide.
    EXPECT_EQ(saved(), (std::vector<int>{0, 1, 1, 58}));
    whenModal("printSettingsDialog", [&](QWidget* dialog) {
        keys(dialog, {Qt::Key_Space, Qt::Key_Escape});
    });
    press(Qt::Key_F12);
    EXPECT_EQ(saved(), (std::vector<int>{0, 1, 1, 58})) << "cancelled";
}

}  // namespace

// お薬手帳シール (F11) on the main window: nothing to make from an empty list; from the print list
// a PDF at the width chosen in its dialog, the width kept in the settings and the printer kept
// for this terminal.
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "drugbase.h"
#include "pdf_reading.h"
#include "program_fixture.h"
#include "sticker/sticker_printer.h"

namespace {

class StickerCommand : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
        prompts.shown.clear();  // the start-up's note of a new settings file
    }
    void pressF11() {
        activate();
        QTest::keyClick(window.get(), Qt::Key_F11);
    }
};

TEST_F(StickerCommand, AnEmptyListMakesNoSticker) {
    pressF11();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"印刷リストが空の状態です。"});
}

TEST_F(StickerCommand, SavesThePrintListAsAPdfAtTheChosenWidthAndKeepsTheChoices) {
    DrugRecord entry{};
    ASSERT_EQ(RecordDetail(&entry, "2171901F2S93"), 0);
    ASSERT_TRUE(desk->append(entry, nullptr));
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
    pressF11();
    EXPECT_EQ(prompts.texts().back(), "お薬手帳シールをPDFファイルに保存しました。");
    EXPECT_NE(pdfInfo(pdf + ".pdf").find("Pagesize:227x"), std::string::npos);
    const std::string text = pdfText(pdf + ".pdf");
    EXPECT_NE(text.find("見本花子様"), std::string::npos) << text;
    EXPECT_NE(text.find("アムロジピン錠５ｍｇ「サンプル」"), std::string::npos) << text;
    EXPECT_EQ(savedSettings().options[settings::kOptionStickerWidth], 80);
    EXPECT_EQ(sticker::loadStickerPrinter(dir.path()), "") << "the default printer";
}

}  // namespace

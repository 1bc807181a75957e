// The drug dialog and the photo selection dialog driven through the main window's commands on
// a real catalogue: registering, correcting, viewing and choosing photographs, and what the
// drug list, the detail panel, the print list and the printed leaflet show afterwards.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "data/drug_catalogue.h"
#include "drugs/detail_panel.h"
#include "drugs/drug_dialog.h"
#include "jpeg_writer.h"
#include "program_fixture.h"
#include "shell/drug_list_panel.h"
#include "sjis/sjis.h"

namespace {

constexpr const char* kAmlodipine = "2171901F3S91";  // a supplied drug

std::string utf8(const char* field, std::size_t width) {
    return sjis::toUtf8(std::string(sjis::fieldText(field, width)));
}

QLineEdit* edit(QWidget* dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

void click(QWidget* dialog, const char* button) {
    child<QPushButton>(dialog, button)->click();
}

class DrugDialogTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
        prompts.shown.clear();  // the start-up's own notice
    }

    void select(const std::string& yjcode) {
        const int row = window->drugList().findYjCode(yjcode);
        ASSERT_GE(row, 0) << yjcode;
        find<shell::DrugListPanel>("drugListPanel")->selectRow(row, true);
    }

    // Triggers a command and acts on the drug dialog it opens.
    void withDrugDialog(const char* action, std::function<void(QWidget*)> act) {
        bool opened = false;
        whenModal("drugDialog", [&](QWidget* dialog) {
            opened = true;
            act(dialog);
            if (dialog->isVisible()) click(dialog, "cancelButton");
        });
        triggerAction(window.get(), action);
        EXPECT_TRUE(opened) << action;
    }

    // Clicks "一覧" of the drug dialog and acts on the photo selection dialog.
    static void withPhotoDialog(QWidget* drugDialog, std::function<void(QWidget*)> act) {
        whenModal("photoDialog", [act](QWidget* dialog) {
            act(dialog);
            if (dialog->isVisible()) click(dialog, "cancelButton");
        });
        click(drugDialog, "photoListButton");
    }

    // Registers a drug of the user's own through the catalogue and shows it in the list.
    void addOwnDrug(const char* yjcode, const char* code, const char* name) {
        DrugRecord r{};
        sjis::copyField(r.YJCODE, sizeof r.YJCODE, yjcode);
        sjis::copyField(r.CODE, sizeof r.CODE, code);
        sjis::copyField(r.PRODUCTNAME, sizeof r.PRODUCTNAME, sjis::fromUtf8(name));
        ASSERT_EQ(catalogue.add(r), data::DataResult::kDone);
        ASSERT_TRUE(window->loadDrugList());
    }

    // Where a fresh reading of the catalogue in name order lists the drug.
    int listedAt(const std::string& yjcode) {
        std::vector<data::DrugRow> fresh;
        EXPECT_EQ(catalogue.list(data::DrugOrder::ByName, fresh), data::DataResult::kDone);
        EXPECT_EQ(window->drugList().count(), int(fresh.size()));
        const auto at = std::find_if(fresh.begin(), fresh.end(),
                                     [&](const auto& row) { return row.yjcode == yjcode; });
        return at == fresh.end() ? -1 : int(at - fresh.begin());
    }

    DrugRecord stored(const char* yjcode) {
        DrugRecord r{};
        EXPECT_EQ(catalogue.detail(yjcode, r), data::DataResult::kDone) << yjcode;
        return r;
    }

    data::DrugCatalogue catalogue;
};

TEST_F(DrugDialogTest, RegisteringShowsARefusalKeepsTheInputAndListsTheDrug) {
    withDrugDialog("actionRegisterDrug", [&](QWidget* dialog) {
        edit(dialog, "productNameEdit")->setText("アアア自家製軟膏");
        click(dialog, "okButton");
        EXPECT_TRUE(dialog->isVisible()) << "a refusal keeps the input";
        EXPECT_EQ(edit(dialog, "productNameEdit")->text(), "アアア自家製軟膏");
        edit(dialog, "productNameEdit")->setText("アアア自家製軟膏\U00020BB7");  // not typed
        click(dialog, "okButton");
        edit(dialog, "productNameEdit")->setText("アアア自家製軟膏");
        edit(dialog, "yjcodeEdit")->setText("USER00000001");
        edit(dialog, "codeEdit")->setText("JIKA1");
        auto* memo = child<QTextEdit>(dialog, "memoBox");
        memo->setPlainText("冷所保存");
        memo->setPlainText(QString(250, QChar(0x3042)));  // 500 bytes: one more than it holds
        EXPECT_EQ(memo->toPlainText(), "冷所保存");
        click(dialog, "okButton");
        EXPECT_FALSE(dialog->isVisible());
    });
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[0].title, "必須項目");
    EXPECT_EQ(prompts.shown[0].text.rfind("YJコードを入力して下さい。\r\n（YJコードは", 0), 0u);
    const std::vector<std::string> texts = prompts.texts();
    EXPECT_EQ(std::vector(texts.begin() + 1, texts.end()),
              (std::vector<std::string>{
                  "「\U00020BB7」は入力できない文字です。別の文字に置き換えて下さい。",
                  "メモは全角249文字（半角499文字）まで入力できます。"}));
    const DrugRecord added = stored("USER00000001");
    EXPECT_EQ(utf8(added.MEMO, sizeof added.MEMO), "冷所保存");
    // The row sits where a fresh reading of the list puts it, selected and shown.
    const int row = window->selectedDrugRow();
    EXPECT_EQ(row, listedAt("USER00000001"));
    EXPECT_EQ(window->drugList().row(row).yjcode, "USER00000001");
    EXPECT_EQ(find<QLineEdit>("productNameField")->text(), "アアア自家製軟膏");
}

TEST_F(DrugDialogTest, ACorrectionReachesThePrintListAndMovesOrRelabelsTheRow) {
    select(kAmlodipine);
    setDosage({{"morningBox", "1"}});  // into the print list
    const int before = window->selectedDrugRow();
    withDrugDialog("actionCorrectDrug", [](QWidget* dialog) {
        child<QTextEdit>(dialog, "efficacyABox")->setPlainText("訂正された効能の説明です");
        edit(dialog, "productNameEdit")->setText("ンンン最後の薬");
        click(dialog, "okButton");
    });
    ASSERT_EQ(desk->printList().count(), 1);
    const DrugRecord& entry = desk->printList().entry(0);
    EXPECT_EQ(utf8(entry.SAYOA, sizeof entry.SAYOA), "訂正された効能の説明です");
    const int moved = listedAt(kAmlodipine);
    EXPECT_GT(moved, before);
    EXPECT_EQ(window->selectedDrugRow(), moved);
    EXPECT_EQ(window->drugList().row(moved).yjcode, kAmlodipine);
    EXPECT_EQ(find<QLineEdit>("productNameField")->text(), "ンンン最後の薬");

    auto* order = find<QComboBox>("orderList");
    order->setCurrentIndex(1);
    emit order->activated(1);
    select(kAmlodipine);
    const int inCodeOrder = window->selectedDrugRow();
    withDrugDialog("actionCorrectDrug", [](QWidget* dialog) {
        edit(dialog, "productNameEdit")->setText("アムロジピン改");
        click(dialog, "okButton");
    });
    EXPECT_EQ(window->selectedDrugRow(), inCodeOrder);
    EXPECT_EQ(sjis::toUtf8(window->drugList().row(inCodeOrder).name), "アムロジピン改");
}

TEST_F(DrugDialogTest, OnlyAUserDrugsYjCodeCanBeChanged) {
    addOwnDrug("USER00000002", "JIKA2", "自家製散剤");
    select("USER00000002");
    withDrugDialog("actionCorrectDrug", [](QWidget* dialog) {
        auto* yjcode = edit(dialog, "yjcodeEdit");
        EXPECT_FALSE(yjcode->isReadOnly());
        yjcode->setText("USER00000003");
        click(dialog, "okButton");
    });
    EXPECT_EQ(window->drugList().row(window->selectedDrugRow()).yjcode, "USER00000003");
}

TEST_F(DrugDialogTest, ViewModeChangesNothing) {
    triggerAction(window.get(), "actionDrugDetail");
    ASSERT_EQ(prompts.texts(),
              std::vector<std::string>{"薬剤リストから情報を閲覧する薬剤を選択して下さい。"});

    select(kAmlodipine);
    withDrugDialog("actionDrugDetail", [](QWidget* dialog) {
        auto* user = child<QRadioButton>(dialog, "efficacyUserRadio");
        const bool was = user->isChecked();
        QTest::mouseClick(user, Qt::LeftButton);
        EXPECT_EQ(user->isChecked(), was);
        withPhotoDialog(dialog, [](QWidget* photos) {
            EXPECT_FALSE(child<QWidget>(photos, "browseButton")->isVisible());
            auto* third = child<QRadioButton>(photos, "photo3Radio");
            QTest::mouseClick(third, Qt::LeftButton);
            EXPECT_FALSE(third->isChecked());
            click(photos, "okButton");
        });
        click(dialog, "okButton");
    });
}

TEST_F(DrugDialogTest, PhotoThreeIsStoredAtOnceAndABrowsedJpegIsShownAndPrinted) {
    addOwnDrug("USER00000004", "JIKA4", "写真のない薬");
    select("USER00000004");
    const auto choose = [&](std::function<void(QWidget*)> act, bool okDrug) {
        withDrugDialog("actionCorrectDrug", [&](QWidget* dialog) {
            withPhotoDialog(dialog, [&](QWidget* photos) {
                act(photos);
                click(photos, "okButton");
            });
            const auto* drug = static_cast<drugs::DrugDialog*>(dialog);
            EXPECT_TRUE(okDrug || drug->record().PHOTO_TOROKU[0] == '\0') << "no file chosen";
            EXPECT_EQ(drug->photoShown(), okDrug);
            click(dialog, okDrug ? "okButton" : "cancelButton");
        });
    };
    choose(
        [](QWidget* photos) {
            EXPECT_TRUE(child<QWidget>(photos, "browseButton")->isVisible());
            child<QRadioButton>(photos, "photo3Radio")->click();
        },
        false);
    EXPECT_EQ(stored("USER00000004").PHOTO_HYOUJI, 3) << "stored even though the drug was not";

    const auto browse = [](QWidget* photos) {
        click(photos, "browseButton");
        child<QRadioButton>(photos, "userPhotoRadio")->click();
    };
    prompts.files = {QString()};  // the file dialog cancelled
    choose(
        [&](QWidget* photos) {
            EXPECT_TRUE(child<QRadioButton>(photos, "photo3Radio")->isChecked());
            browse(photos);
        },
        false);
    EXPECT_TRUE(prompts.files.empty()) << "the file dialog was asked";
    EXPECT_EQ(stored("USER00000004").PHOTO_HYOUJI, 7);
    EXPECT_EQ(stored("USER00000004").PHOTO_TOROKU[0], '\0');

    const auto jpeg = dir.path() / "ユーザー写真" / "赤い錠剤.jpg";
    testjpeg::writeFile(jpeg, testjpeg::encode(testjpeg::quadrants(280, 210, 0xE00000, 0xE00000,
                                                                   0xE00000, 0xE00000)));
    prompts.files = {QString::fromStdString(jpeg.string())};
    choose(browse, true);
    const DrugRecord r = stored("USER00000004");
    EXPECT_EQ(utf8(r.PHOTO_TOROKU, sizeof r.PHOTO_TOROKU), jpeg.string());
    const drugs::DetailPanel& panel = window->detailPanel();
    ASSERT_TRUE(panel.photoShown());
    EXPECT_GT(qRed(panel.photo().pixel(70, 52)), 180);
    EXPECT_LT(qGreen(panel.photo().pixel(70, 52)), 80);

    // A JPEG cut short is refused by name, and a file over the cap is refused; the photograph
    // chosen before stays.
    const auto broken = dir.path() / "ユーザー写真" / "壊れた写真.jpg";
    const auto large = dir.path() / "ユーザー写真" / "大きな写真.jpg";
    testjpeg::writeFile(
        broken, testjpeg::encode(testjpeg::quadrants(280, 210, 0, 0, 0, 0), {}).substr(0, 200));
    std::filesystem::copy_file(jpeg, large);
    std::filesystem::resize_file(large, data::kMaxUserPhotoBytes + 1);
    for (const auto& [file, told] :
         {std::pair{broken, broken.string() +
                                "\r\n\r\nこのファイルは写真として読み込めませんでした。"
                                "正しいJPEG形式のファイルか確認して下さい。"},
          std::pair{large,
                    std::string(
                        "写真のファイルが大きすぎます。8MB以下のJPEGファイルを選んで下さい。")}}) {
        prompts.files = {QString::fromStdString(file.string())};
        choose(browse, true);
        EXPECT_EQ(prompts.shown.back().text, told);
    }
    EXPECT_EQ(utf8(stored("USER00000004").PHOTO_TOROKU, sizeof r.PHOTO_TOROKU), jpeg.string());
    // The chosen picture is kept in the catalogue: the file is no longer needed.
    std::filesystem::remove(jpeg);

    setDosage({{"morningBox", "1"}});  // into the print list
    ASSERT_EQ(desk->printList().count(), 1);
    EXPECT_EQ(desk->printList().entry(0).photoFlag, 1);
    EXPECT_GT(qRed(desk->printList().photo(0).pixel(5, 5)), 180) << "the photograph goes along";
}

// Set LEAFLET_DRUG_DIALOG_SCREENSHOT to a PNG path to look at the dialog in correct mode.
// Viewing, every field is read-only; correcting a supplied drug, its YJ code alone.
TEST_F(DrugDialogTest, EachModeHasItsTitleNoteColoursAndFixedFields) {
    struct Case {
        const char* action;
        const char* title;
        bool note, yjcodeFixed;
        QColor window, userBox;
    };
    const QColor edited(224, 210, 193), unused(210, 210, 210);
    const Case cases[] = {
        {"actionRegisterDrug", "薬剤の登録", false, false, edited, unused},
        {"actionCorrectDrug", "薬剤の訂正", false, true, edited, unused},
        {"actionDrugDetail", "薬剤の詳細", true, true, QColor(206, 230, 219), QColor(Qt::white)},
    };
    select(kAmlodipine);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        withDrugDialog(c.action, [&c](QWidget* dialog) {
            const auto userBox = [dialog] {
                return child<QWidget>(dialog, "efficacyUserBox")->palette().color(QPalette::Base);
            };
            EXPECT_EQ(std::tuple(dialog->windowTitle(),
                                 child<QWidget>(dialog, "correctNote")->isVisible(),
                                 child<QRadioButton>(dialog, "efficacySuppliedRadio")->isChecked(),
                                 dialog->palette().color(QPalette::Window), userBox(),
                                 edit(dialog, "yjcodeEdit")->isReadOnly(),
                                 edit(dialog, "codeEdit")->isReadOnly(),
                                 edit(dialog, "productNameEdit")->isReadOnly(),
                                 child<QTextEdit>(dialog, "cautionBox")->isReadOnly()),
                      std::tuple(c.title, c.note, true, c.window, c.userBox, c.yjcodeFixed, c.note,
                                 c.note, c.note));
            if (c.note) return;
            child<QRadioButton>(dialog, "efficacyUserRadio")->click();
            EXPECT_EQ(userBox(), QColor(Qt::white));
            if (const char* path = std::getenv("LEAFLET_DRUG_DIALOG_SCREENSHOT"))
                dialog->grab().save(path);
        });
    }
}

}  // namespace

// Qt's own dialogs in Japanese, and the program icon drawn from its SVG file.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/program_icon.h"
#include "ui/qt_translation.h"

TEST(QtTexts, QtsOwnFileDialogSpeaksJapanese) {
    ASSERT_TRUE(ui::installJapaneseQtTexts());
    QFileDialog dialog(nullptr, "PDF保存");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), "キャンセル");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    for (const char* english : {"Look in:", "File name:", "Files of type:"})
        EXPECT_FALSE(labels.contains(english)) << english;
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

TEST(ProgramIcon, IsDrawnFromItsPicture) {
    const QIcon icon = ui::programIcon();
    ASSERT_FALSE(icon.isNull()) << "Qt's SVG support is missing";
    for (const int size : {16, 48, 256}) {
        const QImage image = icon.pixmap(size).toImage();
        ASSERT_EQ(image.width(), size);
        // The sheet is light, its outline dark, and the capsule red.
        int light = 0, dark = 0, red = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 100) continue;
                if (c.lightness() > 220) ++light;
                if (c.lightness() < 110) ++dark;
                if (c.red() > 180 && c.green() < 110) ++red;
            }
        EXPECT_GT(light, size * size / 8) << size;
        EXPECT_GT(dark, size) << size;
        EXPECT_GT(red, size / 4) << size;
    }
}

#include "ui/qt_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/folder_chooser.h"
#include "ui/user_folders.h"

namespace ui {
namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    return icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::Information;
}

}  // namespace

void QtPrompts::message(QWidget* owner, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtPrompts::askYesNo(QWidget* owner, const QString& text, const QString& title, Icon icon,
                         Default preset) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName("questionBox");
    box.button(QMessageBox::Yes)->setText("はい");
    box.button(QMessageBox::No)->setText("いいえ");
    box.setDefaultButton(preset == Default::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

OverwriteAnswer QtPrompts::askOverwrite(QWidget* owner, const QString& text, const QString& title) {
    QMessageBox box(
        QMessageBox::Warning, title, text,
        QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel, owner);
    box.setObjectName("overwriteBox");
    box.button(QMessageBox::Yes)->setText("はい");
    box.button(QMessageBox::YesToAll)->setText("すべて上書き");
    box.button(QMessageBox::No)->setText("いいえ");
    box.button(QMessageBox::Cancel)->setText("キャンセル");
    box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return OverwriteAnswer::Yes;
        case QMessageBox::YesToAll:
            return OverwriteAnswer::YesToAll;
        case QMessageBox::No:
            return OverwriteAnswer::No;
        default:
            return OverwriteAnswer::Cancel;
    }
}

QString QtPrompts::chooseFolder(QWidget* owner, const QString& instructions) {
    FolderChooser chooser(instructions, desktopFolder(), *this, owner);
    return chooser.exec() == QDialog::Accepted ? chooser.folder() : QString();
}

QString QtPrompts::chooseSaveFile(QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getSaveFileName(owner, title, documentsFolder(), filter);
}

QString QtPrompts::chooseOpenFile(QWidget* owner, const QString& title, const QString& startFolder,
                                  const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, startFolder, filter);
}

}  // namespace ui

#include "ui/wait_window.h"

#include <QApplication>
#include <QLabel>

namespace ui {

WaitWindow::WaitWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("waitWindow");
    setWindowTitle("データ読込");
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(206, 230, 219));
    setPalette(p);
    setAutoFillBackground(true);
    auto* text = new QLabel("薬剤データを読み込んでいます。\nしばらくお待ちください。", this);
    text->setGeometry(20, 16, 260, 40);
    resize(300, 72);
    if (owner) move(owner->geometry().center() - rect().center());
    show();
    QApplication::processEvents();
}

}  // namespace ui

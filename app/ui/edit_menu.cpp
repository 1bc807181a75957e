#include "ui/edit_menu.h"

#include <QMenu>
#include <QTextEdit>

namespace ui {

void installEditMenu(QTextEdit* box) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box](const QPoint& at) {
        box->setFocus(Qt::MouseFocusReason);
        const bool selection = box->textCursor().hasSelection();
        const bool editable = !box->isReadOnly();
        QMenu menu(box);
        menu.setObjectName("editMenu");
        menu.addAction("コピー(&C)", box, &QTextEdit::copy)->setEnabled(selection);
        menu.addAction("すべて選択(&A)", box, &QTextEdit::selectAll);
        menu.addAction("貼り付け(&P)", box, &QTextEdit::paste)->setEnabled(editable);
        menu.addAction("切り取り(&T)", box, &QTextEdit::cut)->setEnabled(selection && editable);
        menu.exec(box->viewport()->mapToGlobal(at));
    });
}

}  // namespace ui

#include "patients/row_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableView>

namespace patients {

RowKeys::RowKeys(QTableView* view) : QObject(view) {
    view->installEventFilter(this);
}

bool RowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Home && key->key() != Qt::Key_End) ||
        key->modifiers() != Qt::NoModifier)
        return false;
    // The table moves between rows with Ctrl held.
    QKeyEvent rows(QEvent::KeyPress, key->key(), Qt::ControlModifier, key->text());
    QCoreApplication::sendEvent(watched, &rows);
    return true;
}

}  // namespace patients

#include "ui/form_widgets.h"

#include <QLabel>
#include <QLineEdit>

#include "ui/byte_limit.h"

namespace ui {

QLabel* label(QWidget* parent, const char* text, const QRect& geometry, const QColor& colour) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const QRect& geometry,
                    std::size_t maxBytes) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    limitBytes(e, maxBytes);
    return e;
}

}  // namespace ui

#include "ui/command_action.h"

#include <QAction>

#include "ui/colour_button.h"

namespace ui {

QAction* commandAction(QObject* owner, const char* objectName, const char* menuText,
                       const QKeySequence& key) {
    auto* action = new QAction(QString::fromUtf8(menuText), owner);
    action->setObjectName(objectName);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(false);
    return action;
}

ColourButton* commandButton(QWidget* parent, int controlId, const char* objectName,
                            const char* text, const QRect& geometry, QAction* action) {
    auto* button = new ColourButton(controlId, QString::fromUtf8(text), parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setEnabled(action->isEnabled());
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    return button;
}

}  // namespace ui

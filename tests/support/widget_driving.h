// Driving real widgets in tests: typing, finding named children, triggering actions, and acting
// on a modal window or pop-up menu as soon as the next step opens it.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// Types text one character at a time, as a keyboard or an input method delivers it.
inline void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The child of `parent` named `name`; fails the test when there is none.
template <class W>
W* child(const QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Triggers the action of `parent` named `name`, as its button, key or menu item would; fails
// the test, triggering nothing, when the action is missing or disabled.
inline void triggerAction(const QObject* parent, const char* name) {
    QAction* action = parent->findChild<QAction*>(name);
    if (!action || !action->isEnabled())
        ADD_FAILURE() << "action " << name << (action ? " is disabled" : " is missing");
    else
        action->trigger();
}

namespace widget_driving {

inline void whenShown(const char* name, std::function<void(QWidget*)> act, QWidget* (*active)()) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, name = QString(name), act, active] {
        QWidget* shown = active();
        const bool found = shown && shown->objectName() == name;
        if (!found && ++*tries <= 300) return;
        timer->stop();
        timer->deleteLater();
        if (found)
            act(shown);
        else
            ADD_FAILURE() << "no window " << name.toStdString() << " appeared";
    });
    timer->start(10);
}

}  // namespace widget_driving

// Runs `act` on the modal window named `name` once it opens; fails when it does not appear
// within a few seconds.
inline void whenModal(const char* name, std::function<void(QWidget*)> act) {
    widget_driving::whenShown(name, std::move(act), &QApplication::activeModalWidget);
}
// The same for a pop-up menu.
inline void whenPopup(const char* name, std::function<void(QWidget*)> act) {
    widget_driving::whenShown(name, std::move(act), &QApplication::activePopupWidget);
}

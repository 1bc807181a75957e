// A window's commands as named actions: a command's button, its pop-up menu item and its
// function key all trigger its one action and share its enabled state.
#pragma once

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;
class QObject;
class QRect;
class QWidget;

namespace ui {

class ColourButton;

// An action named `objectName` (the contract for tests) with the text a menu shows for it and
// an optional function key. The key works while the window the action is added to is active;
// menus do not show it.
QAction* commandAction(QObject* owner, const char* objectName, const char* menuText,
                       const QKeySequence& key = {});

// A coloured button named `objectName` with `text` at `geometry` of `parent` that triggers
// `action` and is enabled exactly while the action is.
ColourButton* commandButton(QWidget* parent, int controlId, const char* objectName,
                            const char* text, const QRect& geometry, QAction* action);

}  // namespace ui

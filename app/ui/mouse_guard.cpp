#include "ui/mouse_guard.h"

#include <QAbstractButton>
#include <QEvent>

namespace ui {
namespace {

class MouseGuard : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

void ignoreMouseClicks(QAbstractButton* button) {
    button->installEventFilter(new MouseGuard(button));
    button->setFocusPolicy(Qt::NoFocus);
}

}  // namespace ui

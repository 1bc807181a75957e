#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace ui {
namespace {

const QScreen* screenOf(const QWidget* window) {
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// A title bar and borders, for a window not framed yet.
constexpr QSize kFrameAllowance{16, 40};

}  // namespace

void centreOnWorkArea(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void placeWithin(QWidget* window, QSize wanted, const QRect& available) {
    const QSize framed = window->frameGeometry().size() - window->geometry().size();
    const QSize frame = framed.isEmpty() ? kFrameAllowance : framed;
    const QSize room = available.size() - frame;
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSizeHint()));
    QRect outer(QPoint(), window->size() + frame);
    outer.moveCenter(available.center());
    window->move(outer.topLeft().x(), std::max(outer.top(), available.top()));
}

void placeOnWorkArea(QWidget* window, QSize wanted) {
    const QScreen* screen = screenOf(window);
    if (screen)
        placeWithin(window, wanted, screen->availableGeometry());
    else
        window->resize(wanted);
}

}  // namespace ui

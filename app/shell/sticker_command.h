// The main window's お薬手帳シール (F11): the print list and its patient as the sticker for the
// patient's paper お薬手帳, printed as one job on this terminal's sticker printer or saved as a
// PDF file, at the roll width chosen in its dialog.
#pragma once

#include <QObject>
#include <functional>

#include "desk/desk.h"
#include "leaflet/leaflet_header.h"

class QAction;
class QWidget;

namespace shell {

class StickerCommand : public QObject {
    Q_OBJECT
  public:
    using HeaderSource = std::function<leaflet::LeafletHeader()>;

    StickerCommand(desk::Desk& desk, HeaderSource header, QWidget* window);

    QAction* sticker() const { return sticker_; }

  private:
    void makeSticker();

    desk::Desk& desk_;
    HeaderSource header_;
    QWidget* window_;
    QAction* sticker_;
};

}  // namespace shell

// Push buttons drawn in the colour their control id gives them, with the raised and pressed
// edges, the focus frame and the dotted focus rectangle of the program's look.
#pragma once

#include <QColor>
#include <QPushButton>
#include <optional>

namespace ui {

// The fill colour of a button by its control id; no colour for ids drawn the default way.
std::optional<QColor> buttonFill(int controlId);

class ColourButton : public QPushButton {
    Q_OBJECT
  public:
    ColourButton(int controlId, const QString& text, QWidget* parent = nullptr);
    int controlId() const { return controlId_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int controlId_;
};

}  // namespace ui

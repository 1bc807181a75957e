// One timing of the dosage window: its edit box, where an amount can be typed ("1.5" for one
// and a half), and its up/down spin beside it.
#pragma once

#include <QObject>
#include <string_view>

class QLineEdit;
class QSpinBox;
class QWidget;

namespace dosage {

// The amount a timing's edit box stands for at confirmation: "n.5" (3 characters or more,
// value not 0) is the half amount 100 + n, a whole number from 1 to 50 is itself, anything
// else leaves the spin's position.
int confirmedAmount(std::string_view text, int spinPosition);

class TimingBox : public QObject {
    Q_OBJECT
  public:
    // `name` is the widgets' name stem: "morning" gives "morningBox" and "morningSpin".
    TimingBox(QWidget* parent, const char* name, int x, int y);

    QLineEdit* edit() const { return edit_; }
    QSpinBox* spin() const { return spin_; }

    // Shows an amount (0-50 or a half amount) in both controls without signalling.
    void show(int amount);
    // The amount to store when the window is confirmed.
    int confirmed() const;

  signals:
    // The operator moved the spin.
    void moved(int position);
    // The operator left the edit box (or pressed Enter in it).
    void typed();

  private:
    QLineEdit* edit_;
    QSpinBox* spin_;
};

}  // namespace dosage

#include "dosagewindow/timing_box.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <charconv>

#include "dosage/timing_rules.h"
#include "leaflet/print_entry.h"

namespace dosage {

namespace {

constexpr int kEditWidth = 44, kEditHeight = 24;
constexpr int kSpinWidth = 19, kSpinHeight = 44;

// Only the arrows of a spin box: the amount is shown in the timing's own edit box.
class UpDownSpin : public QSpinBox {
  public:
    explicit UpDownSpin(QWidget* parent) : QSpinBox(parent) {
        lineEdit()->hide();
        setFocusPolicy(Qt::NoFocus);
    }
};

std::string_view withoutLeadingSpaces(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

int confirmedAmount(std::string_view text, int spinPosition) {
    text = text.substr(0, 9);
    const std::string_view number = withoutLeadingSpaces(text);
    const char* end = number.data() + number.size();
    double value = 0;
    std::from_chars(number.data(), end, value);
    if (text.size() >= 3 && text.ends_with(".5") && value > 0 &&
        value < leaflet::kMaxWholeAmount + 1) {
        return leaflet::kHalfBase + static_cast<int>(value);
    }
    int whole = 0;
    std::from_chars(number.data(), end, whole);
    if (whole >= 1 && whole <= leaflet::kMaxWholeAmount) return whole;
    return spinPosition;
}

TimingBox::TimingBox(QWidget* parent, const char* name, int x, int y) : QObject(parent) {
    edit_ = new QLineEdit(parent);
    edit_->setObjectName(QString::fromUtf8(name) + "Box");
    // Typing is limited to 3 characters; a half amount such as "10.5" is still shown whole.
    edit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,3}")), edit_));
    edit_->setGeometry(x, y + (kSpinHeight - kEditHeight) / 2, kEditWidth, kEditHeight);
    spin_ = new UpDownSpin(parent);
    spin_->setObjectName(QString::fromUtf8(name) + "Spin");
    spin_->setRange(kSpinMinimum, leaflet::kMaxWholeAmount);
    spin_->setGeometry(x + kEditWidth, y, kSpinWidth, kSpinHeight);
    show(0);
    connect(spin_, &QSpinBox::valueChanged, this, &TimingBox::moved);
    connect(edit_, &QLineEdit::editingFinished, this, &TimingBox::typed);
}

void TimingBox::show(int amount) {
    const QSignalBlocker quiet(spin_);
    // A half amount keeps its whole part on the spin, so the next step goes on from there.
    spin_->setValue(amount >= leaflet::kHalfBase ? amount - leaflet::kHalfBase : amount);
    edit_->setText(QString::fromStdString(timingEditText(amount)));
}

int TimingBox::confirmed() const {
    return confirmedAmount(edit_->text().toStdString(), spin_->value());
}

}  // namespace dosage

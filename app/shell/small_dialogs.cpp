#include "shell/small_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QTextEdit>

#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/colour_button.h"
#include "ui/edit_menu.h"
#include "ui/program_icon.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

void fillBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Line breaks as the settings file keeps them (CR LF) and as a text box shows them (LF).
std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        if (c != '\r') out += c;
    }
    return out;
}

QString withoutCr(QString text) {
    return text.remove(QChar('\r'));
}

constexpr int kVersionIconSize = 48;

}  // namespace

CommentDialog::CommentDialog(settings::SettingsBlock& settings, ui::Prompts& prompts,
                             QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("commentDialog");
    setWindowTitle("コメント");
    fillBackground(this, QColor(200, 227, 210));
    auto* note =
        new QLabel("印刷用紙の下段に表示されるコメントを入力して下さい。（最大３行まで）", this);
    note->setGeometry(22, 10, 736, 20);
    box_ = new QTextEdit(this);
    box_->setObjectName("commentBox");
    box_->setAcceptRichText(false);
    box_->setFont(QFont("ＭＳ ゴシック", 10));
    box_->setGeometry(22, 35, 736, 48);
    box_->document()->setDocumentMargin(2);  // so that three lines fit the box
    ui::installEditMenu(box_);
    box_->setPlainText(
        withoutCr(ui::fromCp932(sjis::fieldText(settings_.comment, sizeof settings_.comment))));
    ui::limitBytes(box_, {sizeof settings_.comment - 1, true}, "コメント", prompts);
    auto* ok = new ui::ColourButton(1, "ＯＫ", this);
    ok->setObjectName("okButton");
    ok->setGeometry(560, 92, 96, 30);
    auto* close = new ui::ColourButton(2, "閉じる", this);
    close->setObjectName("closeButton");
    close->setGeometry(662, 92, 96, 30);
    resize(780, 132);
    connect(ok, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CommentDialog::store() {
    const std::string text = withCrLf(ui::toCp932(box_->toPlainText()));
    sjis::copyField(settings_.comment, sizeof settings_.comment, text);
    sjis::copyField(settings_.reservedText, sizeof settings_.reservedText, "");
}

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("versionDialog");
    setWindowTitle("ﾊﾞｰｼﾞｮﾝ情報");
    auto* icon = new QLabel(this);
    icon->setObjectName("programIcon");
    icon->setPixmap(ui::programIcon().pixmap(kVersionIconSize, kVersionIconSize));
    icon->setGeometry(20, 16, kVersionIconSize, kVersionIconSize);
    auto* text = new QLabel("ソラミド\nバージョン 1.11", this);
    text->setGeometry(32 + kVersionIconSize, 20, 160, 40);
    auto* ok = new ui::ColourButton(1200, "OK", this);
    ok->setObjectName("okButton");
    ok->setGeometry(150, 76, 80, 28);
    resize(250, 116);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace shell

#include "dosagewindow/phrase_editor.h"

#include <QPlainTextEdit>
#include <QStringList>

#include "dosagewindow/phrase_text.h"
#include "phrases/phrase_merge.h"
#include "ui/colour_button.h"
#include "ui/prompts.h"
#include "ui/text_convert.h"

namespace dosage {

namespace {

// Control ids of the editor's template.
enum ControlId { kOkId = 1, kCancelId = 1139 };

const char* titleOf(int list) {
    switch (list) {
        case kUsagePhrases:
            return "用法一覧の編集";
        case kAmountPhrases:
            return "用量一覧の編集";
        case kDaysPhrases:
            return "日数（個数）一覧の編集";
        case kPrescribers:
            return "処方医一覧の編集";
        default:
            return "薬剤師名一覧の編集";
    }
}

// The editor's text as the table rebuild reads it (CR LF line ends), or the first line holding
// a character CP932 cannot store.
TextFault toTableText(const QString& shown, std::string& text) {
    const QStringList lines = shown.split(QChar('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!ui::fitsCp932(lines[i])) return {TextFault::Kind::kNotCp932, int(i) + 1};
        if (i > 0) text += "\r\n";
        text += ui::toCp932(lines[i]);
    }
    return {};
}

}  // namespace

PhraseEditorDialog::PhraseEditorDialog(PhraseTables& tables, int list, ui::Prompts& prompts,
                                       QWidget* parent)
    : QDialog(parent), tables_(tables), list_(list), prompts_(prompts) {
    setObjectName("phraseEditor");
    setWindowTitle(QString::fromUtf8(titleOf(list)));
    // The prescribers' editor has the wider box: their names come with clinic names.
    const int width = list == kPrescribers ? 560 : 380;

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("phraseText");
    text_->setFont(QFont("ＭＳ ゴシック", 10));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setGeometry(10, 10, width, 300);
    // Another terminal may have changed the list since it was read; a list that cannot be read
    // now (the library has said why) is edited as it was.
    tables_.reload(list_);
    base_ = tables_[list_];
    showText(phraseText(tables_[list_]));

    auto* ok = new ui::ColourButton(kOkId, "OK", this);
    ok->setObjectName("okButton");
    ok->setGeometry(width - 170, 320, 80, 28);
    auto* cancel = new ui::ColourButton(kCancelId, "ｷｬﾝｾﾙ", this);
    cancel->setObjectName("cancelButton");
    cancel->setGeometry(width - 80, 320, 80, 28);
    // Enter belongs to the text box: it starts a new phrase.
    for (QPushButton* b : {static_cast<QPushButton*>(ok), static_cast<QPushButton*>(cancel)})
        b->setAutoDefault(false);
    resize(width + 20, 358);
    text_->setFocus();

    connect(ok, &QPushButton::clicked, this, [this] {
        if (store()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool PhraseEditorDialog::store() {
    std::string text;
    PhraseTable rebuilt{};
    TextFault fault = toTableText(text_->toPlainText(), text);
    if (!fault) fault = rebuildTable(text, rebuilt);
    if (fault) {
        prompts_.message(this, QString::fromStdString(faultMessage(fault)), "編集",
                         ui::Icon::Warning);
        return false;
    }
    // The store shows its own message when it cannot keep the list.
    switch (tables_.keep(list_, rebuilt)) {
        case data::PhraseKeep::kDone:
            return true;
        case data::PhraseKeep::kChanged:
            takeChangeFromElsewhere(phraseText(rebuilt));
            break;
        case data::PhraseKeep::kFailed:
            break;
    }
    return false;
}

void PhraseEditorDialog::showText(const std::string& text) {
    text_->setPlainText(ui::fromCp932(text).remove(QChar('\r')));
    text_->moveCursor(QTextCursor::End);
}

void PhraseEditorDialog::takeChangeFromElsewhere(const std::string& mine) {
    if (tables_.reload(list_) != data::DataResult::kDone) return;
    const std::string read = phraseText(base_);
    const std::string theirs = phraseText(tables_[list_]);
    base_ = tables_[list_];
    showText(theirs);
    const PhraseChange own = changeBetween(read, mine);
    const QString message =
        QString::fromStdString(changedElsewhereMessage(changeBetween(read, theirs), own));
    if (!prompts_.askYesNo(this, message, "編集", ui::Icon::Warning, ui::Default::Yes)) return;
    showText(applyChange(theirs, own));
}

}  // namespace dosage

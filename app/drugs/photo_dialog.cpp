#include "drugs/photo_dialog.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>

#include "data/library_messages.h"
#include "drugs/drug_dialog_texts.h"
#include "layout/data_folder.h"
#include "sjis/sjis.h"
#include "ui/mouse_guard.h"
#include "ui/text_convert.h"

namespace drugs {
namespace {

// Where each candidate's picture is drawn, in candidate order.
constexpr std::array<QPoint, PhotoCandidates::kCount> kPictureAt{
    {{37, 48}, {203, 48}, {369, 48}, {37, 186}, {203, 186}, {369, 186}, {37, 328}}};
constexpr std::array<const char*, PhotoCandidates::kCount> kChoiceText{
    "PHOTO1", "PHOTO2", "PHOTO3", "PHOTO4", "PHOTO5", "PHOTO6", "ﾕｰｻﾞ登録"};
constexpr std::array<const char*, PhotoCandidates::kCount> kChoiceName{
    "photo1Radio", "photo2Radio", "photo3Radio",   "photo4Radio",
    "photo5Radio", "photo6Radio", "userPhotoRadio"};

}  // namespace

PhotoDialog::PhotoDialog(DrugDialogMode mode, DrugRecord& record, PhotoCandidates& candidates,
                         const std::filesystem::path& programFolder, ui::Prompts& prompts,
                         QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      record_(record),
      candidates_(candidates),
      programFolder_(programFolder),
      prompts_(prompts) {
    setObjectName("photoDialog");
    setWindowTitle(texts::kPhotoTitle);
    setFixedSize(530, 480);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window,
               mode == DrugDialogMode::View ? texts::kPhotoViewBackground : texts::kEditBackground);
    setPalette(p);

    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        auto* choice = new QRadioButton(QString::fromUtf8(kChoiceText[i]), this);
        choice->setObjectName(kChoiceName[i]);
        choice->setGeometry(kPictureAt[i].x(), kPictureAt[i].y() - 24, 140, 20);
        group->addButton(choice);
        choices_[i] = choice;
    }
    auto* browseButton = new QPushButton("参照", this);
    browseButton->setObjectName("browseButton");
    browseButton->setGeometry(200, 328, 80, 26);
    connect(browseButton, &QPushButton::clicked, this, &PhotoDialog::browse);
    auto* note = new QLabel(QString::fromUtf8(texts::kCorrectInViewNote), this);
    note->setObjectName("viewNote");
    note->setWordWrap(true);
    note->setGeometry(200, 362, 310, 60);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setGeometry(330, 440, 85, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PhotoDialog::accept);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setObjectName("cancelButton");
    cancel->setGeometry(425, 440, 85, 28);
    connect(cancel, &QPushButton::clicked, this, &PhotoDialog::reject);

    const bool viewing = mode == DrugDialogMode::View;
    if (viewing)
        for (QRadioButton* choice : choices_) ui::ignoreMouseClicks(choice);
    browseButton->setVisible(!viewing);
    note->setVisible(viewing);

    const int shown = record_.PHOTO_HYOUJI;
    if (shown >= 1 && shown <= PhotoCandidates::kCount)
        choices_[std::size_t(shown - 1)]->setChecked(true);
    else if (mode == DrugDialogMode::Register)
        choices_.back()->setChecked(true);

    // A drug being registered has no supplied photographs; its user photograph stays loaded.
    if (mode != DrugDialogMode::Register) {
        candidates_.clear();
        catalogue_.drawAllPhotos(yjcodeOf(record_), programFolder_, candidates_.images,
                                 candidates_.drawn);
    }
}

int PhotoDialog::chosen() const {
    for (std::size_t i = 0; i < choices_.size(); ++i)
        if (choices_[i]->isChecked()) return static_cast<int>(i) + 1;
    return 0;
}

void PhotoDialog::browse() {
    const QString folder =
        QString::fromStdString((programFolder_ / layout::kUserPhotoFolder).string());
    const QString file =
        prompts_.chooseOpenFile(this, texts::kBrowseTitle, folder, texts::kJpegFilter);
    if (file.isEmpty()) {
        std::memset(record_.PHOTO_TOROKU, 0, sizeof record_.PHOTO_TOROKU);
        return;
    }
    // The path is kept in a fixed CP932 field: one it cannot hold whole would name no file.
    if (!ui::fitsCp932(file) || ui::toCp932(file).size() >= sizeof record_.PHOTO_TOROKU) {
        std::memset(record_.PHOTO_TOROKU, 0, sizeof record_.PHOTO_TOROKU);
        prompts_.message(this, texts::kPathNotStorable, texts::kPathTitle, ui::Icon::Warning);
        return;
    }
    // The picture's bytes are kept in the catalogue for every terminal: their size is capped.
    if (QFileInfo(file).size() > static_cast<qint64>(data::kMaxUserPhotoBytes)) {
        prompts_.message(this, texts::kPhotoTooLarge, texts::kPathTitle, ui::Icon::Warning);
        return;
    }
    // A file that does not draw leaves the photograph chosen before as it was; the loader's
    // own message is replaced by one that names the file.
    QImage drawn(candidates_.images[PhotoCandidates::kUserPhoto - 1].size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    bool ok = false;
    {
        const data::LibraryMessages quiet([](const std::string&) {});
        ok = catalogue_.drawPhotoFile(std::filesystem::path(file.toStdString()), drawn);
    }
    if (!ok) {
        prompts_.message(this, QString::fromUtf8(texts::kPhotoUnreadable).arg(file),
                         texts::kPathTitle, ui::Icon::Warning);
        return;
    }
    const std::size_t user = PhotoCandidates::kUserPhoto - 1;
    QPainter(&candidates_.images[user]).drawImage(0, 0, drawn);
    candidates_.drawn[user] = true;
    sjis::copyField(record_.PHOTO_TOROKU, sizeof record_.PHOTO_TOROKU, ui::toCp932(file));
    userPhotoChanged_ = true;
    update();
}

void PhotoDialog::accept() {
    if (mode_ == DrugDialogMode::View) return QDialog::accept();
    if (const int choice = chosen()) record_.PHOTO_HYOUJI = choice;
    if (mode_ == DrugDialogMode::Correct) {
        const auto what =
            userPhotoChanged_ ? data::DrugChange::kUserPhoto : data::DrugChange::kPhotoChoice;
        if (catalogue_.change(record_, yjcodeOf(record_), what) != data::DataResult::kDone) {
            prompts_.message(this, texts::kDatabaseFailure, texts::kErrorTitle, ui::Icon::Warning);
            return;
        }
    }
    QDialog::accept();
}

void PhotoDialog::reject() {
    if (mode_ != DrugDialogMode::Register) candidates_.clear();
    QDialog::reject();
}

void PhotoDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    for (std::size_t i = 0; i < kPictureAt.size(); ++i) {
        p.drawRect(QRect(kPictureAt[i] - QPoint(1, 1), QSize(141, 106)));
        if (candidates_.drawn[i]) p.drawImage(kPictureAt[i], candidates_.images[i]);
    }
}

}  // namespace drugs

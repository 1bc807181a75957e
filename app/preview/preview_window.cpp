#include "preview/preview_window.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "leaflet/note_lines.h"
#include "page/leaflet_pdf.h"
#include "page/page_composer.h"
#include "ui/colour_button.h"
#include "ui/text_convert.h"

namespace leaflet {

namespace {

constexpr int kSurfaceWidth = 710;
constexpr int kSurfaceHeight = 980;
// The part of the page image that holds the page.
constexpr int kPageWidth = 1454;
constexpr int kPageHeight = 2090;

constexpr int kScrollBarWidth = 20;
// The client area: the page with the scroll bar beside it, then a column of controls; as high
// as the scroll bar.
constexpr int kClientWidth = 860;
constexpr int kColumnLeft = 740;
constexpr int kColumnWidth = 110;

// The notice naming the drugs whose efficacy or caution text is cut on the leaflet, in the
// column below the buttons.
const char* const kCutNotesText = "一部の説明文が欄に収まりません：";
const char* const kNameSeparator = "、";
constexpr int kCutNotesTop = 290;
const QColor kCutNotesColour(192, 0, 0);

const char* const kSaveTitle = "PDF保存";
const char* const kSavedText = "PDFファイルに保存しました。";
const char* const kPdfFilter = "PDF (*.pdf)";
const char* const kNotSavedText =
    "PDFファイルを保存できませんでした。\n保存先のフォルダーと空き容量を確かめて下さい。";

// " 1 / 3 ﾍﾟｰｼﾞ"
QString pageIndicator(int page, int total) {
    return QStringLiteral(" %1 / %2 ﾍﾟｰｼﾞ").arg(page + 1).arg(total);
}

}  // namespace

QString withPdfSuffix(const QString& typed) {
    return QFileInfo(typed).suffix().isEmpty() ? typed + ".pdf" : typed;
}

PreviewWindow::PreviewWindow(const PageComposer& composer, ui::Prompts& prompts,
                             std::function<void(QWidget* owner)> print, QWidget* parent,
                             QSize screen)
    : QDialog(parent),
      composer_(composer),
      prompts_(prompts),
      print_(std::move(print)),
      pageImage_(newPageImage()) {
    setObjectName("previewWindow");
    setWindowTitle("印刷プレビュー");
    setModal(true);
    if (screen.isEmpty()) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        if (primary) screen = {primary->geometry().width(), primary->availableGeometry().height()};
    }
    fit_ = fitPreview(screen.width(), screen.height());
    buildControls();
    buildCutNotesNotice();
    setFixedSize(kClientWidth, fit_.height);
    showPage(0);
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Placed once the window has its frame, so the frame is what is centred.
    if (!placed_) placeAtTopCentre();
    placed_ = true;
}

void PreviewWindow::buildControls() {
    auto button = [this](int id, const char* text, const char* name, QRect where) {
        auto* b = new ui::ColourButton(id, QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(where);
        return b;
    };
    auto* label = new QLabel("ページ移動", this);
    label->setGeometry(kColumnLeft, 20, kColumnWidth, 20);
    label->setAlignment(Qt::AlignCenter);
    auto* previous = button(kPreviousPage, "←", "previousPageButton", {kColumnLeft, 44, 52, 30});
    auto* next = button(kNextPage, "→", "nextPageButton", {kColumnLeft + 58, 44, 52, 30});

    pageText_ = new QLineEdit(this);
    pageText_->setObjectName("pageText");
    pageText_->setReadOnly(true);
    pageText_->setFocusPolicy(Qt::NoFocus);
    pageText_->setGeometry(kColumnLeft, 84, kColumnWidth, 24);
    QPalette white = pageText_->palette();
    white.setColor(QPalette::Base, Qt::white);
    pageText_->setPalette(white);

    auto* print = button(kPrint, "印刷", "printButton", {kColumnLeft, 134, kColumnWidth, 34});
    // Saving as PDF is drawn in the print button's colour.
    auto* save = button(kPrint, kSaveTitle, "savePdfButton", {kColumnLeft, 176, kColumnWidth, 34});
    auto* close = button(kClose, "閉じる", "closeButton", {kColumnLeft, 236, kColumnWidth, 34});

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("previewScrollBar");
    scrollBar_->setRange(0, kScrollMaximum);
    scrollBar_->setPageStep(10);
    scrollBar_->setGeometry(kSurfaceWidth, 0, kScrollBarWidth, fit_.height);
    scrollBar_->setEnabled(fit_.scrolls);

    connect(previous, &QPushButton::clicked, this, [this] {
        if (page_ > 0) showPage(page_ - 1);
    });
    connect(next, &QPushButton::clicked, this, [this] {
        if (page_ + 1 < composer_.pageTotal()) showPage(page_ + 1);
    });
    connect(print, &QPushButton::clicked, this, [this] {
        if (print_) print_(this);
    });
    connect(save, &QPushButton::clicked, this, &PreviewWindow::savePdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &PreviewWindow::scrollBy);
}

void PreviewWindow::buildCutNotesNotice() {
    auto* notice = new QLabel(this);
    notice->setObjectName("overflowNotice");
    notice->setGeometry(kColumnLeft, kCutNotesTop, kColumnWidth, fit_.height - kCutNotesTop - 10);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = notice->palette();
    red.setColor(QPalette::WindowText, kCutNotesColour);
    notice->setPalette(red);
    const std::vector<std::string> names =
        drugsWithCutNotes(composer_.entries(), composer_.textWidths());
    if (names.empty()) {
        notice->hide();
        return;
    }
    QStringList shown;
    for (const std::string& name : names) shown << ui::fromCp932(name);
    notice->setText(QString::fromUtf8(kCutNotesText) +
                    shown.join(QString::fromUtf8(kNameSeparator)));
}

void PreviewWindow::placeAtTopCentre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - frameGeometry().width()) / 2, area.top());
}

void PreviewWindow::showPage(int page) {
    page_ = page;
    scroll_ = {};
    scrollBar_->setValue(0);
    pageText_->setText(pageIndicator(page, composer_.pageTotal()));
    composer_.renderPage(pageImage_, page);
    // The page without the image's unused right edge, shared rather than copied.
    const QImage drawn(pageImage_.constBits(), kPageWidth, kPageHeight, pageImage_.bytesPerLine(),
                       pageImage_.format());
    surface_ = drawn.scaled(kSurfaceWidth, kSurfaceHeight, Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    update();
}

void PreviewWindow::scrollBy(int action) {
    ScrollStep step;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            step = ScrollStep::kLineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            step = ScrollStep::kLineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            step = ScrollStep::kPageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            step = ScrollStep::kPageDown;
            break;
        case QAbstractSlider::SliderMove:
        case QAbstractSlider::SliderToMinimum:
        case QAbstractSlider::SliderToMaximum:
            step = ScrollStep::kThumb;
            break;
        default:
            return;
    }
    // The scroll bar has already moved by its own steps; the position set here replaces that.
    scroll_ = scrolled(scroll_, step, scrollBar_->sliderPosition(), fit_.scale);
    scrollBar_->setSliderPosition(scroll_.position);
    update(0, 0, kSurfaceWidth, height());
}

void PreviewWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int rows = std::max(0, std::min(kSurfaceHeight - scroll_.offset, height()));
    painter.drawImage(QPoint(0, 0), surface_, QRect(0, scroll_.offset, kSurfaceWidth, rows));
}

void PreviewWindow::wheelEvent(QWheelEvent* event) {
    // Over the page the wheel takes line steps, as the scroll bar's arrows do.
    if (!scrollBar_->isEnabled() || event->position().x() >= kSurfaceWidth) {
        QDialog::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    for (int i = 0; i < std::abs(notches); ++i) {
        scrollBar_->triggerAction(notches > 0 ? QAbstractSlider::SliderSingleStepSub
                                              : QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

void PreviewWindow::savePdf() {
    const QString typed = prompts_.chooseSaveFile(this, kSaveTitle, kPdfFilter);
    if (typed.isEmpty()) return;
    const QString path = withPdfSuffix(typed);
    if (writeLeafletPdf(path, composer_)) {
        if (pdfSaved_) pdfSaved_();
        prompts_.message(this, kSavedText, kSaveTitle, ui::Icon::Information);
    } else {
        prompts_.message(this, kNotSavedText, kSaveTitle, ui::Icon::Warning);
    }
}

}  // namespace leaflet

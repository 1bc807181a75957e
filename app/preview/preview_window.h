// The preview window "印刷プレビュー": the leaflet one page at a time, scaled to 710 x 980
// pixels, with page buttons, the page indicator, printing, saving as PDF, a notice naming the
// drugs whose texts do not fit their row and, on small screens, a vertical scroll bar.
#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <functional>

#include "preview/preview_scroll.h"
#include "ui/prompts.h"

class QLineEdit;
class QScrollBar;

namespace leaflet {

class PageComposer;

// The file a typed PDF name stands for: ".pdf" is added to a name without an extension.
QString withPdfSuffix(const QString& typed);

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    enum ControlId {
        kPreviousPage = 40017,
        kNextPage = 1137,
        kPageText = 1085,
        kPrint = 1011,
        kClose = 1,
        kScrollBar = 40012,
    };

    // `composer` is paginated without error and outlives the window; `print` runs the print
    // command with the given owner. `screen` is the screen's width and its height without task
    // bars (empty for the primary screen's); the window's height and scrolling follow it
    // (fitPreview).
    PreviewWindow(const PageComposer& composer, ui::Prompts& prompts,
                  std::function<void(QWidget* owner)> print, QWidget* parent, QSize screen = {});

    // Runs `saved` after the leaflet was written to a PDF file.
    void setPdfSaved(std::function<void()> saved) { pdfSaved_ = std::move(saved); }

    int currentPage() const { return page_; }
    int viewOffset() const { return scroll_.offset; }
    int scrollPosition() const { return scroll_.position; }
    // The current page scaled to the preview's size.
    const QImage& surface() const { return surface_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void buildControls();
    // The notice naming the drugs whose efficacy or caution text does not fit its row, hidden
    // when every text fits.
    void buildCutNotesNotice();
    void placeAtTopCentre();
    void showPage(int page);
    void scrollBy(int action);
    void savePdf();

    const PageComposer& composer_;
    ui::Prompts& prompts_;
    std::function<void(QWidget*)> print_;
    std::function<void()> pdfSaved_;
    QImage pageImage_;
    QImage surface_;
    int page_ = 0;
    bool placed_ = false;
    PreviewFit fit_{};
    PreviewScroll scroll_;
    QLineEdit* pageText_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
};

}  // namespace leaflet

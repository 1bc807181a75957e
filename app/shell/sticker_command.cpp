#include "shell/sticker_command.h"

#include <QAction>
#include <QDate>
#include <QWidget>

#include "data/phrase_store.h"
#include "preview/leaflet_printing.h"
#include "preview/preview_window.h"
#include "shell/sticker_dialog.h"
#include "sticker/sticker_painter.h"
#include "sticker/sticker_printer.h"
#include "ui/command_action.h"

namespace shell {
namespace {

constexpr const char* kStickerTitle = "お薬手帳シール";
constexpr const char* kEmptyListText = "印刷リストが空の状態です。";
constexpr const char* kPdfFilter = "PDF (*.pdf)";
constexpr const char* kSavedText = "お薬手帳シールをPDFファイルに保存しました。";
constexpr const char* kNotSavedText =
    "PDFファイルに保存できませんでした。保存先を確かめて、もう一度保存して下さい。";

}  // namespace

StickerCommand::StickerCommand(desk::Desk& desk, HeaderSource header, QWidget* window)
    : QObject(window), desk_(desk), header_(std::move(header)), window_(window) {
    sticker_ = ui::commandAction(this, "actionSticker", kStickerTitle, Qt::Key_F11);
    connect(sticker_, &QAction::triggered, this, &StickerCommand::makeSticker);
}

void StickerCommand::makeSticker() {
    if (desk_.printList().empty()) {
        desk_.prompts.message(window_, kEmptyListText, kStickerTitle, ui::Icon::Warning);
        return;
    }
    int& storedWidth = desk_.settings.options[settings::kOptionStickerWidth];
    StickerDialog dialog(sticker::widthOf(storedWidth),
                         sticker::loadStickerPrinter(desk_.programFolder), window_);
    const int output = dialog.exec();
    if (output != StickerDialog::kPrint && output != StickerDialog::kPdf) return;
    const int width = dialog.width();
    if (const int stored = sticker::storedWidth(width); stored != storedWidth) {
        storedWidth = stored;
        desk_.saveSettings(window_);
    }
    // Not remembering the printer is no reason not to print.
    sticker::saveStickerPrinter(desk_.programFolder, dialog.printer());

    leaflet::LeafletHeader header = header_();
    data::PharmacyFields pharmacy;
    if (data::PhraseStore().readPharmacy(pharmacy) != data::DataResult::kDone) pharmacy = {};
    header.pharmacy.name = pharmacy[0];
    const QDate today = QDate::currentDate();
    const auto labels = sticker::layoutLabels(
        sticker::contentOf(header, desk_.printList().entries(), pharmacy[5],
                           sticker::dateText(today.year(), today.month(), today.day())),
        width);

    if (output == StickerDialog::kPdf) {
        const QString typed = desk_.prompts.chooseSaveFile(window_, kStickerTitle, kPdfFilter);
        if (typed.isEmpty()) return;
        const bool saved = sticker::writeStickerPdf(leaflet::withPdfSuffix(typed), labels, width);
        desk_.prompts.message(window_, saved ? kSavedText : kNotSavedText, kStickerTitle,
                              saved ? ui::Icon::Information : ui::Icon::Warning);
        return;
    }
    sticker::NamedPrinter printer(dialog.printer());
    if (!printer.present()) {
        desk_.prompts.message(window_, leaflet::kNoPrinterText, leaflet::kPrintTitle,
                              ui::Icon::Warning);
        return;
    }
    if (!sticker::printSticker(printer, labels, width))
        desk_.prompts.message(window_, leaflet::kJobFailedText, leaflet::kPrintTitle,
                              ui::Icon::Warning);
}

}  // namespace shell

#include "shell/sticker_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QPushButton>

#include "sticker/sticker_layout.h"

namespace shell {

QComboBox* stickerWidthBox(int width, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName("stickerWidthBox");
    for (const int w : sticker::kWidths) box->addItem(QString("%1 mm").arg(w), w);
    box->setCurrentIndex(box->findData(width));
    return box;
}

StickerDialog::StickerDialog(int width, const QString& printer, QWidget* parent) : QDialog(parent) {
    setObjectName("stickerDialog");
    setWindowTitle("お薬手帳シール");
    width_ = stickerWidthBox(width, this);
    printer_ = new QComboBox(this);
    printer_->setObjectName("stickerPrinterBox");
    printer_->addItem("既定のプリンター", QString());
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printer_->addItem(name, name);
    // A kept printer that is gone stays listed, so the choice is not changed without a word.
    if (!printer.isEmpty() && printer_->findData(printer) < 0) printer_->addItem(printer, printer);
    printer_->setCurrentIndex(printer_->findData(printer));

    auto* print = new QPushButton("印刷", this);
    print->setObjectName("printStickerButton");
    print->setDefault(true);
    auto* pdf = new QPushButton("PDF保存", this);
    pdf->setObjectName("saveStickerPdfButton");
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("cancelStickerButton");
    connect(print, &QPushButton::clicked, this, [this] { done(kPrint); });
    connect(pdf, &QPushButton::clicked, this, [this] { done(kPdf); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("シールの幅", width_);
    form->addRow("シールプリンター", printer_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addWidget(cancel);
    form->addRow(buttons);
}

int StickerDialog::width() const {
    return width_->currentData().toInt();
}

QString StickerDialog::printer() const {
    return printer_->currentData().toString();
}

}  // namespace shell

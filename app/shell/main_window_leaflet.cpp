// The main window's leaflet road: the dosage window, the preview, printing, saving to the
// medication history and the phrase lists of the business data.
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "dosage/phrase_combo.h"
#include "dosage/phrase_editor.h"
#include "drugs/detail_panel.h"
#include "leaflet/leaflet_messages.h"
#include "leaflet/leaflet_printing.h"
#include "leaflet/preview_window.h"
#include "leaflet/print_entry.h"
#include "shell/history_save.h"
#include "shell/leaflet_job.h"
#include "shell/main_window.h"
#include "sjis/sjis.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

constexpr std::size_t kBusinessTextBytes = 200;

std::string cp932Cut(const QString& text, std::size_t maxBytes) {
    std::string bytes = ui::toCp932(text);
    bytes.resize(sjis::cutLength(bytes, maxBytes));
    return bytes;
}

}  // namespace

// ---- The dosage window ------------------------------------------------------------------

void MainWindow::setDosage() {
    if (!requireSelectedDrug("薬剤リストから、用法を設定する薬剤を選択して下さい。")) return;
    const std::string yjcode = drugList_.row(selectedDrugRow()).yjcode;
    // The window works on the selected drug, so the panel shows it too.
    if (!detailPanel_->show(drugs::DetailPanel::Mode::Fill, yjcode)) return databaseFailure();
    for (const DrugRecord& entry : state_.printList.entries()) {
        if (leaflet::field(entry.YJCODE) == yjcode) {
            state_.prompts.message(this, "選択した薬剤は印刷リストにあります。", "確認",
                                   ui::Icon::Information);
            break;
        }
    }
    openDosageWindow(dosage::DosageWindow::Mode::kNewEntry);
}

void MainWindow::changeDosage() {
    if (firstSelectedEntry() < 0) {
        state_.prompts.message(this, "印刷リストから服用情報を変更する項目を選択して下さい。",
                               "項目選択", ui::Icon::Information);
        return;
    }
    openDosageWindow(dosage::DosageWindow::Mode::kChange);
}

void MainWindow::openDosageWindow(dosage::DosageWindow::Mode mode) {
    if (dosageWindow_) dosageWindow_->close();
    const QImage photo = detailPanel_->photoShown() ? detailPanel_->photo() : QImage();
    dosageWindow_ = new dosage::DosageWindow(*this, state_.phrases, state_.prompts, mode,
                                             detailPanel_->record(), photo, this);
    dosageWindow_->setAttribute(Qt::WA_DeleteOnClose);
    dosageWindow_->show();
}

leaflet::PrintList& MainWindow::printList() {
    return state_.printList;
}

void MainWindow::printListChanged() {
    printListModel_.refresh();
}

int MainWindow::firstSelectedEntry() const {
    int first = -1;
    for (const QModelIndex& i : printView_->selectionModel()->selectedRows())
        if (first < 0 || i.row() < first) first = i.row();
    return first < state_.printList.count() ? first : -1;
}

dosage::DrugReload MainWindow::reloadSelectedDrug(DrugRecord& record, QImage& photo) {
    if (drugList_.count() == 0) return dosage::DrugReload::kNoDrugList;
    const int row = selectedDrugRow();
    if (row < 0) return dosage::DrugReload::kNoSelection;
    const std::string yjcode = drugList_.row(row).yjcode;
    if (yjcode.empty()) return dosage::DrugReload::kEmptyCode;
    if (!detailPanel_->show(drugs::DetailPanel::Mode::Fill, yjcode)) {
        databaseFailure();
        return dosage::DrugReload::kFailed;
    }
    record = detailPanel_->record();
    photo = detailPanel_->photoShown() ? detailPanel_->photo() : QImage();
    return dosage::DrugReload::kReloaded;
}

void MainWindow::clearSearchBoxes() {
    nameSearchBox_->clear();
    codeSearchBox_->clear();
}

void MainWindow::entryStored() {
    codeSearchBox_->setFocus();
}

bool MainWindow::autoUsage() const {
    return state_.settings.autoDosage == 1;
}

void MainWindow::setAutoUsage(bool on) {
    state_.settings.autoDosage = on ? 1 : 0;
    state_.saveSettings(this);
}

// ---- Preview, printing and the history --------------------------------------------------

leaflet::LeafletHeader MainWindow::leafletHeader() {
    storeBusinessData();
    leaflet::LeafletHeader header;
    header.patientName = ui::toCp932(patientName_->text());
    header.patientId = ui::toCp932(patientId_->text().trimmed());
    // The texts shown in the lists are printed, also one typed over a chosen item; the stored
    // lists stay as they are.
    header.prescriber = cp932Cut(prescriber_->currentText(), kBusinessTextBytes);
    header.pharmacist = cp932Cut(pharmacist_->currentText(), kBusinessTextBytes);
    header.pharmacyName = std::string(
        sjis::fieldText(state_.settings.pharmacyName, sizeof state_.settings.pharmacyName));
    header.comment =
        std::string(sjis::fieldText(state_.settings.comment, sizeof state_.settings.comment));
    header.dispensingPharmacy = state_.settings.businessType == 1;
    header.colour = state_.settings.options[kOptionPrintColour] == 1;
    return header;
}

std::unique_ptr<LeafletJob> MainWindow::makeJob(QWidget* owner) {
    auto job =
        std::make_unique<LeafletJob>(leafletHeader(), state_.printList, QDate::currentDate());
    const leaflet::Message refusal = leaflet::paginationMessage(job->paginate());
    if (refusal.text.empty()) return job;
    state_.prompts.message(owner, QString::fromUtf8(refusal.text.data(), refusal.text.size()),
                           QString::fromUtf8(refusal.title.data(), refusal.title.size()),
                           ui::Icon::Warning);
    return nullptr;
}

std::unique_ptr<LeafletJob> MainWindow::checkedJob(QWidget* owner) {
    if (patientName_->text().isEmpty()) {
        state_.prompts.message(owner, "患者の名前を入力して下さい。", "必須項目",
                               ui::Icon::Warning);
        patientName_->setFocus();
        return nullptr;
    }
    if (state_.printList.empty()) {
        state_.prompts.message(owner, "印刷リストが空の状態です。", "必須項目", ui::Icon::Warning);
        return nullptr;
    }
    return makeJob(owner);
}

bool MainWindow::storeHistory(QWidget* owner, const LeafletJob& job) {
    const HistorySave saved =
        saveToHistory(state_.settings.saveHistory == 1, ui::toCp932(patientId_->text()),
                      ui::toCp932(patientName_->text()), job.entries());
    if (saved == HistorySave::kNoMatch)
        state_.prompts.message(owner, kHistoryNotSavedText, "確認", ui::Icon::Warning);
    return saved == HistorySave::kStored;
}

void MainWindow::preview() {
    if (state_.printList.empty()) {
        state_.prompts.message(this, "印刷リストに表示するデータ項目がありません。", "データなし",
                               ui::Icon::Information);
        return;
    }
    const std::unique_ptr<LeafletJob> job = makeJob(this);
    if (!job) return;
    leaflet::PreviewWindow window(
        job->composer(), state_.prompts, [this](QWidget* owner) { printLeaflet(owner); }, this);
    window.exec();
}

void MainWindow::print() {
    printLeaflet(this);
}

void MainWindow::printLeaflet(QWidget* owner) {
    const std::unique_ptr<LeafletJob> job = checkedJob(owner);
    if (!job) return;
    std::unique_ptr<leaflet::PrintTarget> systemPrinter;
    leaflet::PrintTarget* target = printTarget_;
    if (!target) {
        // Checked before the history is written, so a leaflet that cannot be printed is not
        // recorded as given to the patient.
        if (!leaflet::SystemPrinter::available()) {
            state_.prompts.message(owner, leaflet::kNoPrinterText, leaflet::kPrintTitle,
                                   ui::Icon::Warning);
            return;
        }
        systemPrinter = std::make_unique<leaflet::SystemPrinter>();
        target = systemPrinter.get();
    }
    storeHistory(owner, *job);
    if (leaflet::printPages(job->composer(), *target) != leaflet::PrintOutcome::kPrinted) {
        state_.prompts.message(owner, leaflet::kJobFailedText, leaflet::kPrintTitle,
                               ui::Icon::Warning);
        return;
    }
    if (state_.prompts.askYesNo(owner,
                                "印刷を開始しました。\n\n次の印刷の準備が可能です。"
                                "患者名と印刷リストをクリアしますか？",
                                "クリア確認", ui::Icon::Information)) {
        patientId_->clear();
        patientName_->clear();
        clearEntries();
    }
}

void MainWindow::saveHistory() {
    const std::unique_ptr<LeafletJob> job = checkedJob(this);
    if (job && storeHistory(this, *job))
        state_.prompts.message(this, "薬歴に保存しました。", "確認", ui::Icon::Information);
}

// ---- Phrase lists of the business data --------------------------------------------------

void MainWindow::editPrescribers() {
    editBusinessList(dosage::kPrescribers);
}

void MainWindow::editPharmacists() {
    editBusinessList(dosage::kPharmacists);
}

void MainWindow::editBusinessList(int list) {
    dosage::PhraseEditorDialog editor(state_.phrases, list, state_.prompts, this);
    if (editor.exec() == QDialog::Accepted) fillBusinessLists();
}

}  // namespace shell

#include "shell/leaflet_commands.h"

#include <QAction>

#include "audit/trail.h"
#include "data/audit_trail.h"
#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "data/phrase_store.h"
#include "leaflet/leaflet_messages.h"
#include "page/leaflet_handbook.h"
#include "page/leaflet_job.h"
#include "preview/leaflet_printing.h"
#include "preview/preview_window.h"
#include "shell/business_panel.h"
#include "shell/history_save.h"
#include "shell/patient_row.h"
#include "sjis/sjis.h"
#include "ui/command_action.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

constexpr const char* kHistorySwitchedOffText =
    "「投薬履歴を保存する」がオフのため、薬歴は保存されませんでした。\r\n"
    "患者ファイル(F1)の画面でオンにしてから保存して下さい。";

}  // namespace

LeafletCommands::LeafletCommands(desk::Desk& desk, PatientRow& patient, BusinessPanel& business,
                                 QWidget* window)
    : QObject(window), desk_(desk), patient_(patient), business_(business), window_(window) {
    preview_ = ui::commandAction(this, "actionPreview", "プレビュー", Qt::Key_F5);
    print_ = ui::commandAction(this, "actionPrint", "印刷", Qt::Key_F6);
    saveHistory_ = ui::commandAction(this, "actionSaveHistory", "薬歴に保存", Qt::ALT | Qt::Key_S);
    connect(preview_, &QAction::triggered, this, &LeafletCommands::showPreview);
    connect(print_, &QAction::triggered, this, [this] { printLeaflet(window_); });
    connect(saveHistory_, &QAction::triggered, this, &LeafletCommands::storeInHistory);
}

leaflet::LeafletHeader LeafletCommands::header() {
    business_.storePharmacyName();
    const settings::SettingsBlock& settings = desk_.settings;
    leaflet::LeafletHeader header;
    header.patientName = ui::toCp932(patient_.name());
    header.patientId = ui::toCp932(patient_.idText().trimmed());
    header.prescriber = business_.prescriber();
    header.pharmacist = business_.pharmacist();
    header.pharmacyName =
        std::string(sjis::fieldText(settings.pharmacyName, sizeof settings.pharmacyName));
    header.comment = std::string(sjis::fieldText(settings.comment, sizeof settings.comment));
    header.dispensingPharmacy = settings.businessType == 1;
    header.colour = settings.options[settings::kOptionPrintColour] == 1;
    header.handbookCodes = settings::handbookCodesOn(settings);
    header.pictograms = settings::pictogramsOn(settings);
    header.largePrint = settings::largePrintOn(settings);
    header.genericInfo = settings::genericInfoOn(settings);
    if (header.genericInfo)
        data::DrugCatalogue().genericFacts(desk_.printList().entries(), header.genericFacts);
    header.prescribedBy = desk_.prescribedBy();
    data::PharmacyFields pharmacy;
    if (header.handbookCodes &&
        data::PhraseStore().readPharmacy(pharmacy) == data::DataResult::kDone)
        header.pharmacy = {pharmacy[0], pharmacy[1], pharmacy[2],
                           pharmacy[3], pharmacy[4], pharmacy[5]};
    // The handbook codes carry sex, birth date and histories only for the registered patient
    // whose ID and name stand in the boxes, as the history does.
    if (header.handbookCodes) {
        PatientRecord record{};
        const int id = registeredPatientId(header.patientId, header.patientName);
        if (id != 0 && data::PatientRegister().detail(id, record) == data::DataResult::kDone)
            header.registered = ehandbook::registeredPatient(record);
    }
    return header;
}

std::unique_ptr<leaflet::LeafletJob> LeafletCommands::makeJob(QWidget* owner) {
    auto job =
        std::make_unique<leaflet::LeafletJob>(header(), desk_.printList(), QDate::currentDate());
    const leaflet::Message refusal = leaflet::paginationMessage(job->paginate());
    if (refusal.text.empty()) return job;
    desk_.prompts.message(owner, QString::fromUtf8(refusal.text.data(), refusal.text.size()),
                          QString::fromUtf8(refusal.title.data(), refusal.title.size()),
                          ui::Icon::Warning);
    return nullptr;
}

std::unique_ptr<leaflet::LeafletJob> LeafletCommands::checkedJob(QWidget* owner) {
    if (patient_.name().isEmpty()) {
        desk_.prompts.message(owner, "患者の名前を入力して下さい。", "必須項目", ui::Icon::Warning);
        patient_.focusName();
        return nullptr;
    }
    if (desk_.printList().empty()) {
        desk_.prompts.message(owner, "印刷リストが空の状態です。", "必須項目", ui::Icon::Warning);
        return nullptr;
    }
    return makeJob(owner);
}

HistorySave LeafletCommands::storeHistory(QWidget* owner, const leaflet::LeafletJob& job) {
    const HistorySave saved =
        saveToHistory(desk_.settings.saveHistory == 1, ui::toCp932(patient_.idText()),
                      ui::toCp932(patient_.name()), job.entries());
    if (saved == HistorySave::kNoMatch)
        desk_.prompts.message(owner, kHistoryNotSavedText, "確認", ui::Icon::Warning);
    return saved;
}

void LeafletCommands::showPreview() {
    if (desk_.printList().empty()) {
        desk_.prompts.message(window_, "印刷リストに表示するデータ項目がありません。", "データなし",
                              ui::Icon::Information);
        return;
    }
    const std::unique_ptr<leaflet::LeafletJob> job = makeJob(window_);
    if (!job) return;
    leaflet::PreviewWindow window(
        job->composer(), desk_.prompts, [this](QWidget* owner) { printLeaflet(owner); }, window_);
    window.setPdfSaved([&] { noteOutput(audit::Action::LeafletPdf, *job); });
    window.exec();
}

void LeafletCommands::noteOutput(std::string_view action, const leaflet::LeafletJob& job) {
    // A print or a PDF file is no database change: its row is written right after it. The
    // patient is named only when the boxes hold a registered patient, as the history does.
    const int id =
        registeredPatientId(ui::toCp932(patient_.idText()), ui::toCp932(patient_.name()));
    data::noteLeafletOutput(action, id,
                            std::to_string(job.entries().size()) + " drugs, " +
                                std::to_string(job.composer().pageTotal()) + " pages");
}

void LeafletCommands::printLeaflet(QWidget* owner) {
    const std::unique_ptr<leaflet::LeafletJob> job = checkedJob(owner);
    if (!job) return;
    std::unique_ptr<leaflet::PrintTarget> systemPrinter;
    leaflet::PrintTarget* target = printTarget_;
    if (!target) {
        // Checked before the history is written, so a leaflet that cannot be printed is not
        // recorded as given to the patient.
        if (!leaflet::SystemPrinter::available()) {
            desk_.prompts.message(owner, leaflet::kNoPrinterText, leaflet::kPrintTitle,
                                  ui::Icon::Warning);
            return;
        }
        systemPrinter = std::make_unique<leaflet::SystemPrinter>();
        target = systemPrinter.get();
    }
    storeHistory(owner, *job);
    if (leaflet::printPages(job->composer(), *target) != leaflet::PrintOutcome::kPrinted) {
        desk_.prompts.message(owner, leaflet::kJobFailedText, leaflet::kPrintTitle,
                              ui::Icon::Warning);
        return;
    }
    noteOutput(audit::Action::LeafletPrint, *job);
    if (desk_.prompts.askYesNo(owner,
                               "印刷を開始しました。\n\n次の印刷の準備が可能です。"
                               "患者名と印刷リストをクリアしますか？",
                               "クリア確認", ui::Icon::Information, ui::Default::No)) {
        patient_.clear();
        desk_.clear();
    }
}

void LeafletCommands::storeInHistory() {
    const std::unique_ptr<leaflet::LeafletJob> job = checkedJob(window_);
    if (!job) return;
    // Printing with the switch off stores nothing without a word, as asked; saving alone
    // says why nothing was stored.
    switch (storeHistory(window_, *job)) {
        case HistorySave::kStored:
            desk_.prompts.message(window_, "薬歴に保存しました。", "確認", ui::Icon::Information);
            break;
        case HistorySave::kSwitchedOff:
            desk_.prompts.message(window_, kHistorySwitchedOffText, "確認", ui::Icon::Information);
            break;
        default:
            break;
    }
}

}  // namespace shell

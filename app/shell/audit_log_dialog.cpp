#include "shell/audit_log_dialog.h"

#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "audit/trail.h"
#include "data/audit_trail.h"
#include "ui/prompts.h"

namespace shell {
namespace {

constexpr const char* kTitle = "監査ログ";
constexpr const char* kBadFilterText =
    "患者IDは数字で、日付は 2025-04-01 のように年-月-日で入力して下さい。";
constexpr const char* kIntactText = "記録の改ざんは見つかりませんでした。";
constexpr const char* kBrokenText = "記録が変更または削除されています：";
constexpr const char* kReadFailedText = "監査ログを読み込めませんでした：";

// What each action is called on the screen.
struct ActionName {
    std::string_view action;
    const char* shown;
};
constexpr ActionName kActionNames[] = {
    {audit::Action::PatientRegister, "患者の登録"},
    {audit::Action::PatientCorrect, "患者の訂正"},
    {audit::Action::PatientDelete, "患者の削除"},
    {audit::Action::LeafletStore, "薬歴の保存"},
    {audit::Action::LeafletDelete, "薬歴の削除"},
    {audit::Action::LeafletPrint, "印刷"},
    {audit::Action::LeafletPdf, "PDF保存"},
    {audit::Action::DrugRegister, "薬剤の登録"},
    {audit::Action::DrugCorrect, "薬剤の訂正"},
    {audit::Action::DrugDelete, "薬剤の削除"},
    {audit::Action::CatalogueImport, "メンテナンス取込"},
    {audit::Action::CatalogueLoad, "薬剤の読込"},
    {audit::Action::MasterLoad, "医薬品マスター取込"},
    {audit::Action::PhrasesSave, "リストの保存"},
};

QString shownAction(const std::string& action) {
    for (const ActionName& name : kActionNames)
        if (name.action == action) return QString::fromUtf8(name.shown);
    return QString::fromStdString(action);
}

}  // namespace

AuditLogDialog::AuditLogDialog(const std::filesystem::path& databaseFolder, ui::Prompts& prompts,
                               QWidget* parent)
    : QDialog(parent), databaseFolder_(databaseFolder), prompts_(prompts) {
    setWindowTitle(kTitle);
    setObjectName("auditLogDialog");
    resize(900, 520);
    auto* patientLabel = new QLabel("患者ID", this);
    patientLabel->setGeometry(10, 12, 50, 20);
    patient_ = new QLineEdit(this);
    patient_->setObjectName("auditPatientBox");
    patient_->setGeometry(60, 10, 90, 24);
    auto* sinceLabel = new QLabel("この日から", this);
    sinceLabel->setGeometry(170, 12, 70, 20);
    since_ = new QLineEdit(this);
    since_->setObjectName("auditSinceBox");
    since_->setPlaceholderText("2025-04-01");
    since_->setGeometry(240, 10, 100, 24);
    auto* show = new QPushButton("表示", this);
    show->setObjectName("auditShowButton");
    show->setGeometry(350, 8, 70, 28);
    show->setDefault(true);
    chainState_ = new QLabel(this);
    chainState_->setObjectName("auditChainLabel");
    chainState_->setGeometry(430, 12, 460, 20);
    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName("auditTable");
    table_->setGeometry(10, 44, 880, 466);
    table_->setHorizontalHeaderLabels(
        {"日時", "利用者", "端末", "薬剤師", "操作", "患者ID", "内容"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    // The time on one line; the short columns narrower, leaving the detail its room.
    const int widths[] = {150, 80, 90, 100, 130, 60};
    for (int column = 0; column < 6; ++column) table_->setColumnWidth(column, widths[column]);
    table_->verticalHeader()->hide();
    connect(show, &QPushButton::clicked, this, &AuditLogDialog::refresh);
    refresh();
}

void AuditLogDialog::refresh() {
    audit::Filter filter;
    bool idOk = true;
    const QString id = patient_->text().trimmed();
    if (!id.isEmpty()) filter.patientId = QString::number(id.toInt(&idOk)).toStdString();
    const QString since = since_->text().trimmed();
    if (!idOk || (!since.isEmpty() && !QDate::fromString(since, "yyyy-MM-dd").isValid())) {
        prompts_.message(this, kBadFilterText, kTitle, ui::Icon::Warning);
        return;
    }
    filter.since = since.toStdString();
    std::vector<audit::Chain> chains;
    std::string error;
    table_->setRowCount(0);
    if (data::readAuditTrails(databaseFolder_, chains, &error) != data::DataResult::kDone) {
        chainState_->setText(kReadFailedText + QString::fromStdString(error));
        return;
    }
    const std::string broken = audit::firstBreak(chains);
    chainState_->setText(broken.empty() ? QString(kIntactText)
                                        : kBrokenText + QString::fromStdString(broken));
    for (const audit::Row& row : audit::listed(chains, filter)) {
        const int at = table_->rowCount();
        table_->insertRow(at);
        const QString cells[] = {QString::fromStdString(row.stamp),
                                 QString::fromStdString(row.osUser),
                                 QString::fromStdString(row.terminal),
                                 QString::fromStdString(row.pharmacist),
                                 shownAction(row.action),
                                 QString::fromStdString(row.patientId),
                                 QString::fromStdString(row.detail)};
        for (int column = 0; column < 7; ++column)
            table_->setItem(at, column, new QTableWidgetItem(cells[column]));
    }
}

}  // namespace shell

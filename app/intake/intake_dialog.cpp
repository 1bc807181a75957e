#include "intake/intake_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "intake/drug_finder.h"
#include "intake/intake_host.h"
#include "intake/intake_patient.h"
#include "intake/intake_view.h"
#include "intake/print_list_fill.h"
#include "intake/scanner_choice.h"
#include "intake/serial_scanner.h"
#include "intake/symbol_gatherer.h"
#include "leaflet/leaflet_messages.h"
#include "patients/patient_info_dialog.h"
#include "prescription/prescription_reader.h"
#include "prescription/symbol_text.h"
#include "prescriptionfill/catalogue_source.h"
#include "prescriptionimage/code_file.h"
#include "sjis/sjis.h"
#include "ui/window_placement.h"

namespace intake {
namespace {

const char* const kTitle = "処方箋読取";
// A keyboard-type scanner types a symbol in well under this; reading waits for it to finish.
constexpr int kSettleMs = 300;
const char* const kChooseInMainList = "メイン画面の薬剤リストで薬剤を選択して下さい。";
const char* const kSymbolDropped =
    "スキャナから処方箋より大きいデータが届いたため、読まずに捨てました。";
const char* const kChooseInFinder = "「薬剤名で探す」の一覧から薬剤を選択して下さい。";

QPushButton* button(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    // Enter belongs to the text area: a scanner ends every line with it.
    b->setAutoDefault(false);
    return b;
}

// A code's bytes as the text area shows them: UTF-8 as it is, CP932 converted.
QString shownText(const std::string& bytes) {
    if (prescription::looksLikeUtf8(bytes)) return QString::fromStdString(bytes);
    return QString::fromStdString(sjis::toUtf8(bytes));
}

}  // namespace

IntakeDialog::IntakeDialog(desk::Desk& desk, IntakeHost& host, QWidget* parent)
    : QDialog(parent), desk_(desk), prompts_(desk.prompts), host_(host) {
    setObjectName("intakeDialog");
    setWindowTitle(kTitle);
    auto* column = new QVBoxLayout(this);
    buildCodeArea();
    column->addWidget(new QLabel("処方箋の２次元シンボル（スキャナの読取・貼り付け）", this));
    column->addWidget(code_, 1);
    auto* codeButtons = new QHBoxLayout;
    QPushButton* read = button(this, "readButton", "読取");
    QPushButton* image = button(this, "imageButton", "画像から読取");
    QPushButton* clear = button(this, "clearButton", "クリア");
    for (QPushButton* b : {read, image, clear}) codeButtons->addWidget(b);
    codeButtons->addStretch();
    column->addLayout(codeButtons);
    buildSerialRow();
    auto* serialRow = new QHBoxLayout;
    serialRow->addWidget(new QLabel("シリアル接続のスキャナ", this));
    serialRow->addWidget(port_, 1);
    serialRow->addWidget(baudRate_);
    serialRow->addWidget(connect_);
    serialRow->addWidget(serialState_, 1);
    column->addLayout(serialRow);
    errorLabel_ = new QLabel(this);
    errorLabel_->setObjectName("readError");
    errorLabel_->setStyleSheet("color: red");
    column->addWidget(errorLabel_);
    auto* tree = new QTreeWidget(this);
    tree->setObjectName("prescriptionView");
    view_ = new IntakeView(tree);
    auto* drugs = new QHBoxLayout;
    drugs->addWidget(tree, 1);
    auto* finder = new DrugFinder(this);
    drugs->addWidget(finder);
    column->addLayout(drugs, 2);
    auto* endButtons = new QHBoxLayout;
    QPushButton* pick = button(this, "pickButton", "薬剤リストで選択中の薬剤にする");
    QPushButton* add = button(this, "addButton", "印刷リストに追加");
    QPushButton* close = button(this, "closeButton", "閉じる");
    endButtons->addWidget(pick);
    endButtons->addStretch();
    endButtons->addWidget(add);
    endButtons->addWidget(close);
    column->addLayout(endButtons);

    connect(read, &QPushButton::clicked, this, &IntakeDialog::readText);
    connect(image, &QPushButton::clicked, this, &IntakeDialog::readImage);
    connect(clear, &QPushButton::clicked, code_, &QPlainTextEdit::clear);
    connect(pick, &QPushButton::clicked, this,
            [this] { pickDrug(host_.selectedDrugYjCode(), kChooseInMainList); });
    connect(finder, &DrugFinder::chosen, this,
            [this](const std::string& yjcode) { pickDrug(yjcode, kChooseInFinder); });
    connect(add, &QPushButton::clicked, this, &IntakeDialog::addToPrintList);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    code_->setFocus();
    ui::placeOnWorkArea(this, kPreferredSize);
}

IntakeDialog::~IntakeDialog() = default;

void IntakeDialog::buildCodeArea() {
    code_ = new QPlainTextEdit(this);
    code_->setObjectName("codeText");
    code_->setLineWrapMode(QPlainTextEdit::NoWrap);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(code_, &QPlainTextEdit::textChanged, settle_, qOverload<>(&QTimer::start));
    connect(settle_, &QTimer::timeout, this, &IntakeDialog::readText);
}

void IntakeDialog::buildSerialRow() {
    port_ = new QComboBox(this);
    port_->setObjectName("serialPort");
    port_->setEditable(true);
    port_->addItems(SerialScanner::availablePorts());
    // The port and speed this terminal last connected with, else the first port at 9600 bps.
    const ScannerChoice kept = loadScannerChoice(desk_.programFolder);
    port_->setCurrentText(!kept.port.isEmpty() ? kept.port
                          : port_->count() > 0 ? port_->itemText(0)
                                               : "/dev/ttyUSB0");
    baudRate_ = new QComboBox(this);
    baudRate_->setObjectName("serialBaudRate");
    for (const qint32 rate : SerialScanner::baudRates())
        baudRate_->addItem(QString::number(rate) + " bps", rate);
    if (const int at = baudRate_->findData(kept.baud); at >= 0) baudRate_->setCurrentIndex(at);
    connect_ = button(this, "serialButton", "接続");
    serialState_ = new QLabel("未接続", this);
    serialState_->setObjectName("serialState");
    scanner_ = new SerialScanner(this);
    connect(connect_, &QPushButton::clicked, this, &IntakeDialog::toggleSerial);
    connect(scanner_, &SerialScanner::symbolRead, this, &IntakeDialog::symbolReceived);
    connect(scanner_, &SerialScanner::symbolDropped, this, &IntakeDialog::symbolDropped);
}

bool IntakeDialog::readText() {
    settle_->stop();
    view_->clear();
    prescription_.reset();
    intake_ = {};
    const QString text = code_->toPlainText();
    if (text.trimmed().isEmpty()) {
        error_ = "処方箋の２次元シンボルを読み取って下さい。";
        errorLabel_->clear();
        return false;
    }
    prescription::ReadResult read = prescription::readPrescription(text.toStdString());
    error_ = QString::fromStdString(read.error);
    errorLabel_->setText(error_);
    if (!read.prescription) return false;
    prescription_ = std::move(read.prescription);
    const prescription::CatalogueSource source(catalogue_);
    intake_ = prescription::intakeOf(*prescription_, prescription::DrugMatcher(source, source));
    view_->show(*prescription_, intake_);
    return true;
}

void IntakeDialog::readImage() {
    const QString path = prompts_.chooseOpenFile(
        this, "画像から読取", {}, "画像・PDF (*.png *.jpg *.jpeg *.pdf);;すべてのファイル (*)");
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts_.message(this, "ファイルを開けません。\r\n" + path, kTitle, ui::Icon::Warning);
        return;
    }
    const prescription::SymbolText read =
        prescription::codeTextOfFile(file.readAll().toStdString());
    if (!read.error.empty()) {
        prompts_.message(this, QString::fromStdString(read.error), kTitle, ui::Icon::Warning);
        return;
    }
    code_->setPlainText(shownText(read.bytes));
    readText();
}

void IntakeDialog::toggleSerial() {
    if (scanner_->isOpen()) {
        scanner_->close();
        connect_->setText("接続");
        serialState_->setText("未接続");
        port_->setEnabled(true);
        baudRate_->setEnabled(true);
        return;
    }
    const QString path = port_->currentText().trimmed();
    if (!scanner_->open(path, baudRate_->currentData().toInt())) {
        prompts_.message(this, path + " を開けません。\r\n" + scanner_->errorText(), kTitle,
                         ui::Icon::Warning);
        return;
    }
    connect_->setText("切断");
    port_->setEnabled(false);
    baudRate_->setEnabled(false);
    serialState_->setText(path + " 接続中");
    saveScannerChoice(desk_.programFolder, {path, baudRate_->currentData().toInt()});
}

// Each symbol received is appended, so the symbols of a prescription printed in several join;
// the text grows by the symbol alone, and a joined text stays within the size of a symbol.
void IntakeDialog::symbolReceived(const QString& text) {
    const int shown = code_->document()->characterCount() - 1;
    if (shown + text.size() + 1 > static_cast<qsizetype>(kMostSymbolBytes)) {
        symbolDropped();
        return;
    }
    QTextCursor end(code_->document());
    end.movePosition(QTextCursor::End);
    const bool lineOpen = !code_->document()->lastBlock().text().isEmpty();
    end.insertText(lineOpen ? '\n' + text : text);
    readText();
}

void IntakeDialog::symbolDropped() {
    errorLabel_->setText(QString::fromUtf8(kSymbolDropped));
}

void IntakeDialog::pickDrug(const std::string& yjCode, const char* chooseFirst) {
    const auto product =
        yjCode.empty() ? std::nullopt : prescription::CatalogueSource(catalogue_).byYjCode(yjCode);
    if (!product) {
        prompts_.message(this, chooseFirst, kTitle, ui::Icon::Information);
    } else if (!view_->pickForCurrent(*product)) {
        prompts_.message(this, "処方内容から、薬剤を選ぶ行を選択して下さい。", kTitle,
                         ui::Icon::Information);
    }
}

void IntakeDialog::addToPrintList() {
    // A text read already keeps the products the pharmacist chose.
    const bool current = prescription_ && !settle_->isActive();
    if (!current && !readText()) {
        prompts_.message(this, error_ + "\r\n印刷リストには何も追加していません。", kTitle,
                         ui::Icon::Warning);
        return;
    }
    const std::vector<ChosenDrug> chosen = view_->chosen();
    if (chosen.empty()) {
        prompts_.message(this, "印刷リストに追加する薬剤がありません。", kTitle,
                         ui::Icon::Information);
        return;
    }
    // The patient first: the drugs go into a list that is this patient's.
    if (!takePatient()) return;
    const FillResult filled = appendChosen(chosen, catalogue_, desk_.programFolder, desk_);
    // The catalogue has reported a drug it could not read; the list is as it was.
    if (!filled.read) return;
    if (filled.leftOutForRoom > 0) {
        prompts_.message(this, QString::fromUtf8(leaflet::kPrintListFull.text),
                         QString::fromUtf8(leaflet::kPrintListFull.title), ui::Icon::Warning);
    }
    host_.usePrescriber(prescription::prescriberText(*prescription_));
    desk_.setPrescribedBy(prescription::prescribedBy(*prescription_));
    accept();
}

// The registered patient goes into the main window; one not yet registered is registered first
// from the prescription's data, which the pharmacist confirms or corrects.
bool IntakeDialog::takePatient() {
    const RegisteredPatient found = findRegistered(patients_, prescription_->patient);
    if (found.result == data::DataResult::kFailed) return true;
    if (found.same.size() > 1) {
        // Two registered people share name and birth date: choosing one here could put the
        // leaflet under the wrong patient, so the pharmacist chooses in the patient screen.
        QStringList ids;
        for (const int id : found.same) ids << QString::number(id);
        prompts_.message(this,
                         "同じ氏名・生年月日の患者が複数登録されています（患者ＩＤ " +
                             ids.join("、") + "）。\r\n患者ファイル(F1)から患者を選んでください。",
                         kTitle, ui::Icon::Warning);
        return true;
    }
    if (found.result == data::DataResult::kDone)
        return desk_.changePatient(QString::number(found.id),
                                   QString::fromStdString(sjis::toUtf8(found.name)), this);
    if (prescription_->patient.name.empty()) return true;
    patients::PatientInfoDialog dialog(patients_, prompts_, registrationOf(prescription_->patient),
                                       this);
    if (dialog.exec() != QDialog::Accepted) return true;
    const PatientRecord& stored = dialog.stored();
    return desk_.changePatient(QString::number(stored.ID),
                               QString::fromStdString(sjis::toUtf8(
                                   sjis::fieldText(stored.PATIENT, sizeof stored.PATIENT))),
                               this);
}

}  // namespace intake

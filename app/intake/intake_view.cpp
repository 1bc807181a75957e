#include "intake/intake_view.h"

#include <QComboBox>
#include <QTreeWidget>

#include "leaflet/print_entry.h"
#include "prescription/dosage_reading.h"
#include "sjis/sjis.h"

namespace intake {
namespace {

using namespace prescription;

enum Column { kWhat, kMatch, kDosage };

QString text(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

QString dateText(const PartialDate& date) {
    if (!date.known()) return "（なし）";
    QString out = QString::number(date.year) + "年";
    if (date.month != 0) out += QString::number(date.month) + "月";
    if (date.day != 0) out += QString::number(date.day) + "日";
    return out;
}

QString formText(const Rp& rp) {
    switch (rp.form) {
        case FormKind::kInternal:
            return "内服";
        case FormKind::kAsNeeded:
            return "頓服";
        case FormKind::kExternal:
            return "外用";
        case FormKind::kInternalDrops:
            return "内服滴剤";
        case FormKind::kInjection:
            return "注射";
        case FormKind::kMaterial:
            return "材料";
        case FormKind::kUnknown:
            break;
    }
    return rp.formName.empty() ? "不明" : text(rp.formName);
}

// This dispensing's quantity; of a split dispensing, the whole too.
QString quantityText(const Rp& rp) {
    if (rp.quantity == 0) return {};
    const auto counted = [&rp](const char* unit) {
        QString out = QString::number(rp.quantity) + unit;
        if (rp.totalQuantity > 0)
            out += "（分割調剤：全" + QString::number(rp.totalQuantity) + unit + "）";
        return out;
    };
    if (rp.form == FormKind::kInternal) return counted("日分");
    if (rp.form == FormKind::kAsNeeded) return counted("回分");
    return {};
}

QString patientText(const Patient& patient) {
    const char* sex = patient.sex == Sex::kMale ? "男" : patient.sex == Sex::kFemale ? "女" : "";
    return text(patient.name) + "（" + text(patient.kanaName) + "）　" + sex + "　" +
           dateText(patient.birth) + "生";
}

QTreeWidgetItem* line(QTreeWidget* tree, const QString& what, const QString& value) {
    return new QTreeWidgetItem(tree, {what, value});
}

}  // namespace

IntakeView::IntakeView(QTreeWidget* tree) : QObject(tree), tree_(tree) {
    tree_->setColumnCount(3);
    tree_->setHeaderLabels({"処方内容", "照合", "用法・用量"});
    tree_->setColumnWidth(kWhat, 340);
    tree_->setColumnWidth(kMatch, 310);
}

void IntakeView::clear() {
    rows_.clear();
    tree_->clear();
}

void IntakeView::show(const Prescription& prescription, const prescription::Intake& intake) {
    clear();
    line(tree_, "医療機関", text(prescription.institution.name));
    line(tree_, "処方医", text(prescription.prescriber.name));
    line(tree_, "患者", patientText(prescription.patient));
    line(tree_, "交付日", dateText(prescription.issued));
    for (const std::string& warning : prescription.warnings)
        line(tree_, "注意", QString::fromStdString(warning));
    QTreeWidgetItem* rpItem = nullptr;
    const Rp* rp = nullptr;
    for (const IntakeDrug& entry : intake.drugs) {
        if (entry.rp != rp) {
            rp = entry.rp;
            rpItem = new QTreeWidgetItem(tree_);
            rpItem->setText(kWhat, "RP" + QString::number(rp->number) + "　" + formText(*rp) +
                                       "　" + quantityText(*rp));
            rpItem->setText(kDosage, text(rp->usage));
            rpItem->setExpanded(true);
        }
        addDrug(rpItem, entry);
    }
    for (const Row& row : rows_) showDosage(row);
}

void IntakeView::addDrug(QTreeWidgetItem* rpItem, const IntakeDrug& entry) {
    auto* item = new QTreeWidgetItem(
        rpItem, {text(entry.drug->name), QString::fromStdString(matchDescription(entry.match))});
    rows_.push_back({&entry, entry.match.drug, item});
    Row& row = rows_.back();
    const std::vector<std::string>& checks = entry.drug->checks;
    if (row.product) {
        item->setText(kWhat, text(entry.drug->name) + " → " + text(row.product->productName));
        item->setCheckState(kWhat, checks.empty() ? Qt::Checked : Qt::Unchecked);
    } else if (!entry.match.candidates.empty()) {
        item->setCheckState(kWhat, Qt::Unchecked);
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        tree_->setItemWidget(item, kMatch, candidateList(row, static_cast<int>(rows_.size())));
    } else {
        item->setText(kMatch, item->text(kMatch) + "（選ぶまで印刷リストに入りません）");
        item->setForeground(kMatch, Qt::red);
    }
    if (!checks.empty()) markForChecking(item, checks);
}

// A drug to be checked: red, "要確認" before how it was matched, the reasons in a tooltip; it
// is left unticked until the pharmacist ticks or picks it.
void IntakeView::markForChecking(QTreeWidgetItem* item, const std::vector<std::string>& checks) {
    QStringList reasons;
    for (const std::string& check : checks) reasons << QString::fromStdString(check);
    item->setText(kMatch, "要確認　" + item->text(kMatch));
    for (const Column column : {kWhat, kMatch}) {
        item->setForeground(column, Qt::red);
        item->setToolTip(column, reasons.join("\n"));
    }
}

QComboBox* IntakeView::candidateList(Row& row, int number) {
    auto* list = new QComboBox;
    list->setObjectName("candidateList" + QString::number(number));
    list->addItem(QString::fromStdString(matchDescription(row.entry->match)) + "：選択して下さい");
    for (const CatalogueDrug& candidate : row.entry->match.candidates)
        list->addItem(text(candidate.productName));
    const std::size_t index = rows_.size() - 1;
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, index](int chosen) { choose(index, chosen); });
    return list;
}

// Item 0 of a candidate list is its prompt: choosing it takes the drug out again.
void IntakeView::choose(std::size_t index, int candidate) {
    Row& row = rows_[index];
    const auto& candidates = row.entry->match.candidates;
    if (candidate >= 1 && candidate <= static_cast<int>(candidates.size()))
        row.product = candidates[static_cast<std::size_t>(candidate - 1)];
    else
        row.product.reset();
    include(row, row.product.has_value());
    showDosage(row);
}

bool IntakeView::pickForCurrent(const CatalogueDrug& product) {
    const QTreeWidgetItem* current = tree_->currentItem();
    for (Row& row : rows_) {
        if (row.item != current) continue;
        row.product = product;
        tree_->removeItemWidget(row.item, kMatch);
        row.item->setText(kMatch, "手動選択：" + text(product.productName));
        row.item->setForeground(kMatch, tree_->palette().text());
        include(row, true);
        showDosage(row);
        return true;
    }
    return false;
}

void IntakeView::include(Row& row, bool on) {
    row.item->setFlags(row.item->flags() | Qt::ItemIsUserCheckable);
    row.item->setCheckState(kWhat, on ? Qt::Checked : Qt::Unchecked);
    if (!on) row.item->setFlags(row.item->flags() & ~Qt::ItemIsUserCheckable);
}

void IntakeView::showDosage(const Row& row) {
    const DrugDosage dosage =
        dosageFor(*row.entry->rp, *row.entry->drug, row.product ? row.product->form : "");
    DrugRecord entry{};
    leaflet::setDosage(entry, dosage.settings);
    QStringList parts;
    for (std::string_view part :
         {leaflet::usageText(entry), leaflet::amountText(entry), leaflet::daysText(entry)}) {
        if (!part.empty()) parts << text(part);
    }
    row.item->setText(kDosage, parts.join("　"));
}

std::vector<ChosenDrug> IntakeView::chosen() const {
    std::vector<ChosenDrug> out;
    for (const Row& row : rows_) {
        if (row.product && row.item->checkState(kWhat) == Qt::Checked)
            out.push_back({row.entry->rp, row.entry->drug, *row.product});
    }
    return out;
}

}  // namespace intake

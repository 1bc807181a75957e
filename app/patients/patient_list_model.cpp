#include "patients/patient_list_model.h"

#include "ui/text_convert.h"

namespace patients {

PatientListModel::PatientListModel(const char* nameHead, QObject* parent)
    : QAbstractTableModel(parent), nameHead_(nameHead) {}

void PatientListModel::setRows(std::vector<data::PatientRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int PatientListModel::rowOf(int id) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].id == id) return int(r);
    return -1;
}

void PatientListModel::rename(int id, const std::string& name) {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].id == id) {
            rows_[r].name = name;
            const QModelIndex cell = index(int(r), kNameColumn);
            emit dataChanged(cell, cell);
        }
}

int PatientListModel::findPrefix(Column column, const QString& prefix) const {
    const std::string wanted = ui::toCp932(prefix);
    if (wanted.empty()) return -1;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const std::string text = column == kIdColumn ? std::to_string(rows_[r].id) : rows_[r].name;
        if (text.compare(0, wanted.size(), wanted) == 0) return int(r);
    }
    return -1;
}

int PatientListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PatientListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant PatientListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size())) return {};
    const data::PatientRow& r = rows_[index.row()];
    return index.column() == kIdColumn ? QString::number(r.id) : ui::fromCp932(r.name);
}

QVariant PatientListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == kIdColumn ? QStringLiteral("患者ID") : QString::fromUtf8(nameHead_);
}

}  // namespace patients

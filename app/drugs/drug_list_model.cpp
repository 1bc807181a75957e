#include "drugs/drug_list_model.h"

#include <algorithm>

#include "sjis/sjis.h"
#include "ui/text_convert.h"

namespace drugs {
namespace {

// One CP932 character as a number, its letters folded to upper case.
unsigned foldedChar(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (sjis::isLeadByte(b) && i + 1 < s.size()) {
        unsigned code = unsigned(b) << 8 | static_cast<unsigned char>(s[i + 1]);
        i += 2;
        if (code >= 0x8281 && code <= 0x829A) code -= 0x21;  // ａ-ｚ -> Ａ-Ｚ
        return code;
    }
    ++i;
    return b >= 'a' && b <= 'z' ? b - 32 : b;
}

}  // namespace

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    std::size_t t = 0, p = 0;
    while (p < prefix.size()) {
        if (t >= text.size()) return false;
        if (foldedChar(text, t) != foldedChar(prefix, p)) return false;
    }
    return true;
}

bool DrugListModel::fill(Order order) {
    beginResetModel();
    const data::DataResult result = data::DrugCatalogue().list(order, rows_);
    endResetModel();
    return result == data::DataResult::kDone;
}

int DrugListModel::findPrefix(Column column, std::string_view prefix) const {
    for (int i = 0; i < count(); ++i) {
        const data::DrugRowView r = row(i);
        if (startsWithIgnoringCase(column == CodeColumn ? r.code : r.name, prefix)) return i;
    }
    return -1;
}

int DrugListModel::findYjCode(std::string_view yjcode) const {
    for (int i = 0; i < count(); ++i)
        if (row(i).yjcode == yjcode) return i;
    return -1;
}

void DrugListModel::removeDrug(int index) {
    if (index < 0 || index >= count()) return;
    beginRemoveRows({}, index, index);
    rows_.erase(static_cast<std::size_t>(index));
    endRemoveRows();
}

int DrugListModel::insertDrug(int index, const Row& drug) {
    index = std::clamp(index, 0, count());
    beginInsertRows({}, index, index);
    rows_.insert(static_cast<std::size_t>(index), drug);
    endInsertRows();
    return index;
}

void DrugListModel::relabel(int index, const Row& drug) {
    if (index < 0 || index >= count()) return;
    rows_.replace(static_cast<std::size_t>(index), drug);
    emit dataChanged(this->index(index, 0), this->index(index, columnCount() - 1));
}

int DrugListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int DrugListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant DrugListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count()) return {};
    const data::DrugRowView r = row(index.row());
    return ui::fromCp932(index.column() == CodeColumn ? r.code : r.name);
}

QVariant DrugListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == CodeColumn ? QStringLiteral("Ｎコード") : QStringLiteral("薬剤名");
}

}  // namespace drugs

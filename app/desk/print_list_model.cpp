#include "desk/print_list_model.h"

#include "desk/desk.h"

#include "leaflet/print_entry.h"
#include "ui/text_convert.h"

namespace desk {
namespace {

struct ColumnHead {
    const char* title;
    int width;
};

constexpr ColumnHead kColumns[PrintListModel::kColumnCount] = {
    {"薬名", 130},        {"起床", 36},      {"朝", 28},       {"昼", 28},
    {"夕", 28},           {"寝前", 36},      {"用法", 140},    {"用量", 96},
    {"日数（数量）", 84}, {"薬の効能", 175}, {"注意事項", 174}};

}  // namespace

QString timingText(int amount) {
    if (amount <= 0) return {};
    if (amount >= 100) return QStringLiteral("%1.5").arg(amount - 100);
    return QString::number(amount);
}

PrintListModel::PrintListModel(Desk& desk, QObject* parent)
    : PrintListModel(desk.printList(), false, parent) {
    const auto parentless = [this](auto begin) {
        return [this, begin](int first, int last) { (this->*begin)(QModelIndex(), first, last); };
    };
    connect(&desk, &Desk::entriesAboutToBeInserted, this,
            parentless(&PrintListModel::beginInsertRows));
    connect(&desk, &Desk::entriesInserted, this, &PrintListModel::endInsertRows);
    connect(&desk, &Desk::entriesAboutToBeRemoved, this,
            parentless(&PrintListModel::beginRemoveRows));
    connect(&desk, &Desk::entriesRemoved, this, &PrintListModel::endRemoveRows);
    connect(&desk, &Desk::entryChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
    });
    connect(&desk, &Desk::listAboutToBeReset, this, &PrintListModel::beginResetModel);
    connect(&desk, &Desk::listReset, this, &PrintListModel::endResetModel);
}

PrintListModel::PrintListModel(const leaflet::PrintList& list, bool shortForm, QObject* parent)
    : QAbstractTableModel(parent), list_(list), shortForm_(shortForm) {}

void PrintListModel::listReplaced() {
    beginResetModel();
    endResetModel();
}

int PrintListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.count();
}

int PrintListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (shortForm_ ? kShortColumnCount : kColumnCount);
}

QVariant PrintListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.count()) return {};
    const DrugRecord& entry = list_.entry(index.row());
    const int column = index.column();
    if (column >= 1 && column <= 5) return timingText(leaflet::dosageOf(entry).timings[column - 1]);
    switch (column) {
        case 0:
            return ui::fromCp932(leaflet::field(entry.PRODUCTNAME));
        case 6:
            return ui::fromCp932(leaflet::usageText(entry));
        case 7:
            return ui::fromCp932(leaflet::amountText(entry));
        case 8:
            return ui::fromCp932(leaflet::daysText(entry));
        case 9:
            return ui::fromCp932(leaflet::efficacyText(entry));
        case 10:
            return ui::fromCp932(leaflet::cautionText(entry));
        default:
            return {};
    }
}

QVariant PrintListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return QString::fromUtf8(kColumns[section].title);
}

int PrintListModel::columnWidth(int column) {
    return kColumns[column].width;
}

}  // namespace desk

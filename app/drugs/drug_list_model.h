// The main window's drug list: one row per drug with its N code, product name and YJ code,
// filled from the catalogue in the chosen order. The quick searches look here, never in the
// database.
#pragma once

#include <QAbstractTableModel>
#include <string_view>

#include "data/drug_catalogue.h"

namespace drugs {

class DrugListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { CodeColumn = 0, NameColumn = 1 };
    using Order = data::DrugOrder;
    using Row = data::DrugRow;

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows with the catalogue in `order`; false when the library failed (the rows
    // it delivered before failing stay).
    bool fill(Order order);

    // The first row whose text in `column` begins with `prefix` (CP932), letters compared
    // without regard to case; -1 when none.
    int findPrefix(Column column, std::string_view prefix) const;
    // The first row with exactly this YJ code; -1 when none.
    int findYjCode(std::string_view yjcode) const;

    // Views of the row's texts, valid until the rows change.
    data::DrugRowView row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    int count() const { return rows_.count(); }
    void removeDrug(int index);
    // Puts `drug` at `index` (clamped to the rows there are); returns where it went.
    int insertDrug(int index, const Row& drug);
    // Replaces the texts of the row at `index`.
    void relabel(int index, const Row& drug);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    data::DrugRows rows_;
};

// Whether `text` begins with `prefix`, comparing CP932 characters and folding the case of
// ASCII and full-width Latin letters.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace drugs

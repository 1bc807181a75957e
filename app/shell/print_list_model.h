// The main window's print list: one row per print-list entry with its name, the five timing
// amounts, usage, amount and days texts, efficacy and cautions.
#pragma once

#include <QAbstractTableModel>

#include "page/print_list.h"

namespace shell {

class PrintListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnCount = 11;
    // The short form (the patient screen's recalled list) has the first nine columns.
    static constexpr int kShortColumnCount = 9;

    explicit PrintListModel(leaflet::PrintList& list, bool shortForm = false,
                            QObject* parent = nullptr);

    leaflet::PrintList& list() { return list_; }
    // Call after the list changed.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Column widths in pixels, in column order.
    static int columnWidth(int column);

  private:
    leaflet::PrintList& list_;
    bool shortForm_;
};

// A timing amount as the list shows it: "" for none, "n" for n units, "n.5" for n and a half.
QString timingText(int amount);

}  // namespace shell

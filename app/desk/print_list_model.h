// A print list as a table: one row per entry with its name, the five timing amounts, usage,
// amount and days texts, efficacy and cautions. On the desk's list it follows the desk's row
// signals; on another list (a recalled leaflet) its owner says when the list was replaced.
#pragma once

#include <QAbstractTableModel>

#include "page/print_list.h"

namespace desk {

class Desk;

class PrintListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumnCount = 11;
    // The short form (the patient screen's recalled list) has the first nine columns.
    static constexpr int kShortColumnCount = 9;

    // The desk's print list, all columns.
    explicit PrintListModel(Desk& desk, QObject* parent = nullptr);
    // Another list, such as a recalled leaflet.
    PrintListModel(const leaflet::PrintList& list, bool shortForm, QObject* parent = nullptr);

    // The whole list was replaced.
    void listReplaced();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Column widths in pixels, in column order.
    static int columnWidth(int column);

  private:
    const leaflet::PrintList& list_;
    bool shortForm_;
};

// A timing amount as the list shows it: "" for none, "n" for n units, "n.5" for n and a half.
QString timingText(int amount);

}  // namespace desk

// Home and End in a list of rows go to the first and the last row, as in a list box, rather
// than to the first and last cell of the current row as a table's do.
#pragma once

#include <QObject>

class QTableView;

namespace patients {

class RowKeys : public QObject {
    Q_OBJECT
  public:
    // Installs itself on `view`, which owns it.
    explicit RowKeys(QTableView* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace patients

// The patient list: one row per registered patient with the ID and the name, in the order the
// register gave them.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "data/patient_register.h"

namespace patients {

class PatientListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kIdColumn = 0, kNameColumn = 1 };

    // `nameHead` is the title of the name column ("名前" or "患者名").
    PatientListModel(const char* nameHead, QObject* parent);

    void setRows(std::vector<data::PatientRow> rows);
    const data::PatientRow& row(int r) const { return rows_[r]; }
    // The row of the first patient with this ID, or -1.
    int rowOf(int id) const;
    // Changes the name shown for the patient with this ID.
    void rename(int id, const std::string& name);

    // The first row, in list order, whose column text begins with `prefix` (compared as CP932
    // bytes); -1 when none does or `prefix` is empty.
    int findPrefix(Column column, const QString& prefix) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const char* nameHead_;
    std::vector<data::PatientRow> rows_;
};

}  // namespace patients

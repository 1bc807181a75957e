#include "desk/desk.h"

#include <QImage>

#include "settings/settings.h"

namespace desk {

Desk::Desk(ui::Prompts& p, QObject* parent) : QObject(parent), prompts(p) {}

void Desk::saveSettings(QWidget* owner) {
    const settings::SettingsResult saved = settings::saveSettings(settingsFile, settings);
    if (!saved.ok())
        prompts.message(owner, QString::fromStdString(saved.message),
                        QString::fromUtf8(settings::kSettingsMessageTitle.data(),
                                          settings::kSettingsMessageTitle.size()),
                        ui::Icon::Warning);
}

bool Desk::append(const DrugRecord& entry, const QImage* photograph) {
    if (list_.full()) return false;
    const int row = list_.count();
    emit entriesAboutToBeInserted(row, row);
    list_.append(entry, photograph);
    emit entriesInserted(row, row);
    emit printListChanged();
    return true;
}

bool Desk::replace(int row, const DrugRecord& entry, const QImage* photograph) {
    if (!list_.replace(row, entry, photograph)) return false;
    emit entryChanged(row);
    emit printListChanged();
    return true;
}

void Desk::remove(int row) {
    if (row < 0 || row >= list_.count()) return;
    emit entriesAboutToBeRemoved(row, row);
    list_.remove(row);
    emit entriesRemoved(row, row);
    emit printListChanged();
}

void Desk::clear() {
    if (list_.empty()) return;
    const int last = list_.count() - 1;
    emit entriesAboutToBeRemoved(0, last);
    list_.clear();
    emit entriesRemoved(0, last);
    emit printListChanged();
}

void Desk::setList(const leaflet::PrintList& list) {
    emit listAboutToBeReset();
    list_ = list;
    emit listReset();
    emit printListChanged();
}

void Desk::applyPatient(const QString& idText, const QString& name) {
    setPatient({idText.trimmed().toInt(), idText, name});
}

void Desk::setPatientId(int id) {
    setPatient({id, patient_.idText, patient_.name});
}

void Desk::setIdText(const QString& idText) {
    setPatient({patient_.id, idText, patient_.name});
}

void Desk::setName(const QString& name) {
    setPatient({patient_.id, patient_.idText, name});
}

void Desk::setPatient(const Patient& patient) {
    if (patient.id == patient_.id && patient.idText == patient_.idText &&
        patient.name == patient_.name)
        return;
    patient_ = patient;
    emit patientChanged();
}

}  // namespace desk

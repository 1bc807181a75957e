#include "desk/desk.h"

#include <QImage>

#include "settings/settings.h"

namespace desk {
namespace {

bool nobody(const Patient& p) {
    return p.idText.trimmed().isEmpty() && p.name.isEmpty();
}

// The same person: the same name, and the same ID unless the list's patient had none typed.
bool samePerson(const Patient& owner, const Patient& next) {
    const QString ownerId = owner.idText.trimmed();
    return owner.name == next.name && (ownerId.isEmpty() || ownerId == next.idText.trimmed());
}

}  // namespace

Desk::Desk(ui::Prompts& p, QObject* parent) : QObject(parent), prompts(p) {}

void Desk::saveSettings(QWidget* owner) {
    const settings::SettingsResult saved = settings::saveSettings(settingsFile, settings);
    if (!saved.ok())
        prompts.message(owner, QString::fromStdString(saved.message),
                        QString::fromUtf8(settings::kSettingsMessageTitle.data(),
                                          settings::kSettingsMessageTitle.size()),
                        ui::Icon::Warning);
}

bool Desk::append(const DrugRecord& entry, const QImage* photograph,
                  std::optional<leaflet::Prescribed> prescribed) {
    if (list_.full()) return false;
    const int row = list_.count();
    if (row == 0) owner_ = patient_;
    emit entriesAboutToBeInserted(row, row);
    list_.append(entry, photograph, std::move(prescribed));
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
    if (list_.empty()) owner_ = {};
    emit entriesRemoved(row, row);
    emit printListChanged();
}

void Desk::clear() {
    prescribedBy_ = {};
    if (list_.empty()) return;
    const int last = list_.count() - 1;
    emit entriesAboutToBeRemoved(0, last);
    list_.clear();
    owner_ = {};
    emit entriesRemoved(0, last);
    emit printListChanged();
}

void Desk::setList(const leaflet::PrintList& list) {
    emit listAboutToBeReset();
    list_ = list;
    owner_ = {};  // the caller applies the patient a recalled leaflet belongs to
    emit listReset();
    emit printListChanged();
}

void Desk::applyPatient(const QString& idText, const QString& name) {
    setPatient({idText.trimmed().toInt(), idText, name});
}

bool Desk::changePatient(const QString& idText, const QString& name, QWidget* owner) {
    const Patient next{idText.trimmed().toInt(), idText, name};
    if (!list_.empty() && !nobody(owner_) && !samePerson(owner_, next)) {
        const QString who = owner_.name.isEmpty() ? "ＩＤ " + owner_.idText.trimmed() : owner_.name;
        if (!prompts.askYesNo(owner,
                              "印刷リストには" + who +
                                  "様の薬剤が入っています。\r\n"
                                  "印刷リストを空にして、患者を切り替えますか？",
                              "確認", ui::Icon::Warning, ui::Default::No)) {
            setPatient(owner_);
            return false;
        }
        clear();
    }
    setPatient(next);
    if (!list_.empty()) owner_ = next;
    return true;
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

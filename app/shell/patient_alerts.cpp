#include "shell/patient_alerts.h"

#include <QFontMetrics>

#include "data/patient_register.h"
#include "shell/history_save.h"
#include "sjis/sjis.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

// A multi-line box's text on one line.
QString oneLine(const char* field, std::size_t width) {
    QString text = ui::fromCp932(sjis::fieldText(field, width));
    text.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
    return text.trimmed();
}

// "アレルギー歴：… ／ 副作用歴：…" with only the parts that hold text; empty when none does.
QString alertText(const QString& allergy, const QString& sideEffects) {
    QStringList parts;
    if (!allergy.isEmpty()) parts << "アレルギー歴：" + allergy;
    if (!sideEffects.isEmpty()) parts << "副作用歴：" + sideEffects;
    return parts.join(" ／ ");
}

}  // namespace

PatientAlerts::PatientAlerts(desk::Desk& desk, QWidget* parent) : QLabel(parent), desk_(desk) {
    setObjectName("patientAlerts");
    setGeometry(10, 38, 440, 20);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, Qt::red);
    setPalette(red);
    connect(&desk_, &desk::Desk::patientChanged, this, &PatientAlerts::patientChanged);
    patientChanged();
}

void PatientAlerts::patientChanged() {
    const desk::Patient& patient = desk_.patient();
    const int id = registeredPatientId(ui::toCp932(patient.idText), ui::toCp932(patient.name));
    PatientRecord record{};
    QString full;
    if (id != 0 && data::PatientRegister().detail(id, record) == data::DataResult::kDone)
        full = alertText(oneLine(record.ALLERGY, sizeof record.ALLERGY),
                         oneLine(record.EFFECT, sizeof record.EFFECT));
    setText(fontMetrics().elidedText(full, Qt::ElideRight, width()));
    setToolTip(full);
    setVisible(!full.isEmpty());
}

}  // namespace shell

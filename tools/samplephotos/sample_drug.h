// What the sample photograph drawings need to know of a drug.
#pragma once

#include <QColor>
#include <QString>

namespace samplephotos {

struct SampleDrug {
    QString name;         // product name
    QString form;         // dosage form (ZAIKEI)
    QString colour;       // colour text (COLOR), e.g. "白色／橙色"
    QString imprint;      // identification code on the tablet (HONTAICODE)
    bool scored = false;  // a score line (WARISEN 有)
};

// What the drawing shows for a dosage form.
enum class Shape {
    Tablet,
    OvalTablet,
    Lozenge,
    Capsule,
    Sachet,
    Bottle,
    Tube,
    Patch,
    Suppository,
    Inhaler
};
Shape shapeOf(const QString& form);

// The first and (for two-tone capsules) second colour a colour text names.
QColor firstColour(const QString& colourText);
QColor secondColour(const QString& colourText);

}  // namespace samplephotos

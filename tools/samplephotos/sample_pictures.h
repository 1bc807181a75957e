// 400 x 300 sample pictures of a drug, drawn with Qt: the drug itself (photograph 1) and its
// package (photograph 2). Each carries a "見本 SAMPLE" mark and the product name.
#pragma once

#include <QImage>

#include "sample_drug.h"

namespace samplephotos {

inline constexpr int kPictureWidth = 400;
inline constexpr int kPictureHeight = 300;

QImage drugPicture(const SampleDrug& drug);
QImage packagePicture(const SampleDrug& drug);

}  // namespace samplephotos

// Writes the sample photographs of every drug in a program folder's catalogue and marks them
// in the catalogue, so that the program shows photographs out of the box.
#pragma once

#include <filesystem>
#include <ostream>

namespace samplephotos {

// For each drug: photograph 1 (the drug) in 薬剤写真/PHOTO1 and photograph 2 (its package) in
// 薬剤写真/PHOTO2, named by the half-width YJ code; then PHOTO1 = PHOTO2 = 1 and PHOTO_HYOUJI
// = 1. Needs a QGuiApplication. 0 when done, 1 with the reason on `err`.
int writeSamplePhotos(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);

}  // namespace samplephotos

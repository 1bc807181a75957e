// The two faces of the leaflet, requested by their Japanese names and mapped to the IPA fonts
// that the system has; without the mapping fontconfig would draw Latin text in another face
// and the mincho name in a gothic face.
#pragma once

#include <QFont>

namespace leaflet {

inline constexpr const char* kGothicFace = "ＭＳ ゴシック";
inline constexpr const char* kMinchoFace = "ＭＳ 明朝";

enum class Face { kGothic, kMincho };

// Maps "ＭＳ ゴシック"/"MS Gothic" to IPAGothic and "ＭＳ 明朝"/"MS Mincho" to IPAMincho. The
// program calls it once at start; calling it again does no harm.
void installFontSubstitutions();

// A fixed-pitch font of the face, `pixelHeight` logical units high, with a weight on the
// 1-1000 scale (400 normal, 700 bold).
QFont pageFont(Face face, int pixelHeight, int weight);

}  // namespace leaflet

// The seven photographs a drug's photo can be chosen from: supplied photographs 1-6 and the
// user's own (7), each a 140 x 105 picture with a flag telling whether it holds one. The drug
// dialog keeps them, so a user photograph loaded during a registration stays chosen.
#pragma once

#include <QImage>
#include <array>

namespace drugs {

struct PhotoCandidates {
    static constexpr int kCount = 7;
    static constexpr int kUserPhoto = 7;

    PhotoCandidates();
    // Forgets every picture.
    void clear();

    std::array<QImage, kCount> images;
    std::array<bool, kCount> drawn{};
};

}  // namespace drugs

#include "page/print_list.h"

#include <QPainter>
#include <cstring>

#include "leaflet/print_entry.h"

namespace leaflet {

namespace {

QImage blankPhoto() {
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool sameDrugAndDosage(const DrugRecord& a, const DrugRecord& b) {
    return std::memcmp(a.YJCODE, b.YJCODE, sizeof a.YJCODE) == 0 &&
           std::memcmp(a.callerArea, b.callerArea, sizeof a.callerArea) == 0;
}

void copyPhoto(const QImage& from, QImage& to) {
    to.fill(Qt::white);
    QPainter painter(&to);
    painter.drawImage(QPoint(0, 0), from, QRect(0, 0, kPhotoWidth, kPhotoHeight));
}

}  // namespace

PrintList::PrintList() {
    for (QImage& photo : photos_) photo = blankPhoto();
}

void PrintList::store(int position, const DrugRecord& entry, const QImage* photograph) {
    DrugRecord& target = entries_[position];
    target = entry;
    DosageSettings dosage = dosageOf(target);
    normaliseEntryTexts(dosage);
    setDosage(target, dosage);
    target.photoFlag = photograph ? 1 : 0;
    if (photograph) {
        copyPhoto(*photograph, photos_[position]);
    } else {
        photos_[position].fill(Qt::white);
    }
}

bool PrintList::append(const DrugRecord& entry, const QImage* photograph,
                       std::optional<Prescribed> prescribed) {
    if (full()) return false;
    prescribed_[count_] = std::move(prescribed);
    store(count_++, entry, photograph);
    return true;
}

bool PrintList::replace(int position, const DrugRecord& entry, const QImage* photograph) {
    if (position < 0 || position >= count_) return false;
    const DrugRecord before = entries_[position];
    store(position, entry, photograph);
    if (!sameDrugAndDosage(before, entries_[position])) prescribed_[position].reset();
    return true;
}

void PrintList::remove(int position) {
    if (position < 0 || position >= count_) return;
    for (int j = position; j + 1 < count_; ++j) {
        entries_[j] = entries_[j + 1];
        std::swap(photos_[j], photos_[j + 1]);
        prescribed_[j] = std::move(prescribed_[j + 1]);
    }
    --count_;
    entries_[count_] = DrugRecord{};
    photos_[count_].fill(Qt::white);
}

void PrintList::clear() {
    for (int i = 0; i < count_; ++i) {
        entries_[i] = DrugRecord{};
        photos_[i].fill(Qt::white);
    }
    count_ = 0;
}

bool PrintList::fillFromHistory(const HistoryBlock& block, const RecallDrug& fetch) {
    clear();
    QImage photo = blankPhoto();
    for (const HistoryRecord& record : block) {
        if (record.yjcode[0] == '\0') continue;
        DrugRecord drug{};
        photo.fill(Qt::white);
        const std::string yjcode(field(record.yjcode));
        if (!fetch(yjcode.c_str(), drug, photo)) {
            clear();
            return false;
        }
        applyHistoryRecord(record, drug);
        append(drug, drug.photoFlag == 1 ? &photo : nullptr);
    }
    return true;
}

}  // namespace leaflet

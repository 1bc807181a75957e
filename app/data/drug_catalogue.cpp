#include "data/drug_catalogue.h"

#include "data/parallel_columns.h"

namespace data {
namespace {

DataResult done(int result) {
    return DRUGBASE_FAILED(result) ? DataResult::kFailed : DataResult::kDone;
}

Presence presence(int result) {
    if (DRUGBASE_FAILED(result)) return Presence::kFailed;
    return result == DRUGBASE_CONDITION ? Presence::kPresent : Presence::kAbsent;
}

// Runs a call that appends list names and YJ codes, collecting them into `found`.
template <class Call>
DataResult collectMatches(std::vector<DrugMatch>& found, Call call) {
    found.clear();
    ParallelColumns<DrugMatch> columns(found);
    auto names = columns.column(&DrugMatch::listName);
    auto codes = columns.column(&DrugMatch::yjcode);
    const auto nameSink = ParallelColumns<DrugMatch>::sink<DrugListSink>(names);
    const auto codeSink = ParallelColumns<DrugMatch>::sink<DrugListSink>(codes);
    return done(call(&nameSink, &codeSink));
}

// A library list sink that sets one column of the drug list's rows.
struct RowColumn {
    DrugRows& rows;
    DrugRows::Column column;

    DrugListSink sink() { return {this, &RowColumn::add, nullptr}; }
    static void add(void* context, const char* text) {
        auto* self = static_cast<RowColumn*>(context);
        self->rows.add(self->column, text);
    }
};

// The library's view of an image's pixels.
DrugSurface surfaceOf(QImage& image) {
    return {image.width(), image.height(), static_cast<int32_t>(image.bytesPerLine()),
            reinterpret_cast<uint32_t*>(image.bits())};
}

}  // namespace

bool DrugCatalogue::open(const std::filesystem::path& databaseFolder) const {
    return RecordOpen(databaseFolder.string().c_str(), nullptr) == DRUGBASE_OK;
}

void DrugCatalogue::close() const {
    RecordClose();
}

DataResult DrugCatalogue::list(DrugOrder order, DrugRows& rows) const {
    rows.clear();
    RowColumn codes{rows, DrugRows::kCode}, names{rows, DrugRows::kName},
        yjcodes{rows, DrugRows::kYjcode};
    const DrugListSink codeSink = codes.sink(), nameSink = names.sink(),
                       yjcodeSink = yjcodes.sink();
    int counter = 0;
    return done(RecordDisplay(nullptr, &codeSink, &nameSink, &yjcodeSink, &counter,
                              static_cast<int>(order)));
}

DataResult DrugCatalogue::list(DrugOrder order, std::vector<DrugRow>& rows) const {
    rows.clear();
    ParallelColumns<DrugRow> columns(rows);
    auto codes = columns.column(&DrugRow::code);
    auto names = columns.column(&DrugRow::name);
    auto yjcodes = columns.column(&DrugRow::yjcode);
    const auto codeSink = ParallelColumns<DrugRow>::sink<DrugListSink>(codes);
    const auto nameSink = ParallelColumns<DrugRow>::sink<DrugListSink>(names);
    const auto yjcodeSink = ParallelColumns<DrugRow>::sink<DrugListSink>(yjcodes);
    int counter = 0;
    return done(RecordDisplay(nullptr, &codeSink, &nameSink, &yjcodeSink, &counter,
                              static_cast<int>(order)));
}

DataResult DrugCatalogue::position(const std::string& yjcode, DrugOrder order, int& row) const {
    return done(RecordPosition(yjcode.c_str(), &row, static_cast<int>(order)));
}

DataResult DrugCatalogue::detail(const std::string& yjcode, DrugRecord& record) const {
    const int result = RecordDetail(&record, yjcode.c_str());
    return result == DRUGBASE_CONDITION ? DataResult::kNotFound : done(result);
}

namespace {

// A sink that appends each drug the library lists briefly to `found`.
DrugListViewSink briefSink(std::vector<DrugBrief>& found) {
    return {&found,
            [](void* context, int, const char* yjcode) {
                static_cast<std::vector<DrugBrief>*>(context)->push_back({yjcode, "", "", ""});
            },
            [](void* context, int, int c, const char* text) {
                DrugBrief& drug = static_cast<std::vector<DrugBrief>*>(context)->back();
                (c == 1 ? drug.name : c == 2 ? drug.form : drug.code) = text;
            }};
}

}  // namespace

DataResult DrugCatalogue::startingWith(StartOf column, const std::vector<std::string>& prefixes,
                                       std::vector<DrugBrief>& found) const {
    found.clear();
    std::vector<const char*> texts;
    for (const std::string& prefix : prefixes) texts.push_back(prefix.c_str());
    const DrugListViewSink sink = briefSink(found);
    return done(RecordStartsWith(static_cast<int>(column), texts.data(),
                                 static_cast<int>(texts.size()), &sink));
}

DataResult DrugCatalogue::byNameKey(const std::string& key, std::vector<DrugBrief>& found) const {
    found.clear();
    const DrugListViewSink sink = briefSink(found);
    const int result = RecordByNameKey(key.c_str(), &sink);
    if (DRUGBASE_FAILED(result)) return DataResult::kFailed;
    return result == DRUGBASE_CONDITION ? DataResult::kNotFound : DataResult::kDone;
}

DataResult DrugCatalogue::brief(const std::string& yjcode, DrugBrief& drug) const {
    std::vector<DrugBrief> found;
    const DrugListViewSink sink = briefSink(found);
    const int result = RecordBrief(yjcode.c_str(), &sink);
    if (DRUGBASE_FAILED(result)) return DataResult::kFailed;
    if (found.empty()) return DataResult::kNotFound;
    drug = std::move(found.front());
    return DataResult::kDone;
}

DataResult DrugCatalogue::details(const std::vector<std::string>& yjcodes,
                                  std::map<std::string, DrugRecord>& found) const {
    found.clear();
    std::vector<const char*> codes;
    for (const std::string& code : yjcodes) codes.push_back(code.c_str());
    std::vector<DrugRecord> records(codes.size());
    std::vector<int> marks(codes.size());
    const int result =
        RecordReadMany(codes.data(), static_cast<int>(codes.size()), records.data(), marks.data());
    if (DRUGBASE_FAILED(result)) return DataResult::kFailed;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (marks[i]) found.emplace(yjcodes[i], records[i]);
    return DataResult::kDone;
}

DataResult DrugCatalogue::search(const DrugSearch& c, std::vector<DrugMatch>& found) const {
    std::string form[3];
    for (std::size_t i = 0; i < c.forms.size() && i < 3; ++i) form[i] = c.forms[i];
    return collectMatches(found, [&](const DrugListSink* names, const DrugListSink* codes) {
        return RecordGOKU(c.productName.c_str(), c.generalName.c_str(), c.maker.c_str(),
                          c.yjcode.c_str(), c.route.c_str(), form[0].c_str(), form[1].c_str(),
                          form[2].c_str(), names, codes);
    });
}

DataResult DrugCatalogue::sameKind(const std::string& yjcode, std::vector<DrugMatch>& found) const {
    return collectMatches(found, [&](const DrugListSink* names, const DrugListSink* codes) {
        return RecordDohinsyu(yjcode.c_str(), names, codes);
    });
}

Presence DrugCatalogue::yjcodeInUse(const std::string& yjcode) const {
    return presence(RecordCreate00(yjcode.c_str()));
}

Presence DrugCatalogue::codeInUse(const std::string& code) const {
    return presence(RecordCreate01(code.c_str()));
}

Presence DrugCatalogue::codeInUseByOther(const std::string& code,
                                         const std::string& ownYjcode) const {
    return presence(RecordCreate44(code.c_str(), ownYjcode.c_str(), 0));
}

DataResult DrugCatalogue::add(const DrugRecord& record) const {
    // RecordCreate reports its failures as 1.
    return RecordCreate(&record) == DRUGBASE_OK ? DataResult::kDone : DataResult::kFailed;
}

DataResult DrugCatalogue::change(const DrugRecord& record, const std::string& key,
                                 DrugChange what) const {
    return done(RecordEdit(&record, key.c_str(), static_cast<int>(what)));
}

Deletion DrugCatalogue::deletable(const std::string& yjcode) const {
    switch (presence(RecordDell00(yjcode.c_str()))) {
        case Presence::kAbsent:
            return Deletion::kAllowed;
        case Presence::kPresent:
            return Deletion::kSupplied;
        default:
            return Deletion::kFailed;
    }
}

DataResult DrugCatalogue::remove(const std::string& yjcode) const {
    return done(RecordDell(yjcode.c_str()));
}

DataResult DrugCatalogue::codeMapEntry(const std::string& receiptCode,
                                       DrugCodeMapEntry& entry) const {
    const int result = MasterCode(receiptCode.c_str(), &entry);
    return result == DRUGBASE_CONDITION ? DataResult::kNotFound : done(result);
}

DataResult DrugCatalogue::genericFacts(std::span<const DrugRecord> drugs,
                                       std::vector<DrugGenericFacts>& facts) const {
    std::vector<const char*> codes;
    for (const DrugRecord& drug : drugs) codes.push_back(drug.YJCODE);
    facts.assign(drugs.size(), DrugGenericFacts{});
    return done(MasterGenericFacts(codes.data(), static_cast<int>(codes.size()), facts.data()));
}

bool DrugCatalogue::drawPhoto(const std::string& yjcode, const std::filesystem::path& programFolder,
                              QImage& image) const {
    if (image.format() != QImage::Format_RGB32) return false;
    DrugSurface surface = surfaceOf(image);
    int drawn = 0;
    // The library draws only for a non-null window; it does not use it otherwise.
    PictureImage(&surface, &drawn, &image, yjcode.c_str(), programFolder.string().c_str(), 0, 0);
    return drawn == 1;
}

bool DrugCatalogue::drawPhoto(const DrugRecord& drug, const std::filesystem::path& programFolder,
                              QImage& image) const {
    if (image.format() != QImage::Format_RGB32) return false;
    DrugSurface surface = surfaceOf(image);
    int drawn = 0;
    PictureImageOf(&surface, &drawn, &drug, programFolder.string().c_str(), 0, 0);
    return drawn == 1;
}

void DrugCatalogue::drawAllPhotos(const std::string& yjcode,
                                  const std::filesystem::path& programFolder,
                                  std::array<QImage, 7>& images, std::array<bool, 7>& drawn) const {
    DrugSurface surfaces[7];
    DrugSurface* surfacePointers[7];
    int flags[7];
    int* flagPointers[7];
    for (std::size_t i = 0; i < 7; ++i) {
        // An image of another format gets no surface: the library skips that picture.
        const bool usable = images[i].format() == QImage::Format_RGB32;
        if (usable) surfaces[i] = surfaceOf(images[i]);
        surfacePointers[i] = usable ? &surfaces[i] : nullptr;
        flags[i] = 0;
        flagPointers[i] = &flags[i];
    }
    if (!surfacePointers[0]) return;
    DrawImage(surfacePointers, flagPointers, &images, yjcode.c_str(),
              programFolder.string().c_str(), 0, 0);
    for (std::size_t i = 0; i < 7; ++i)
        if (flags[i] == 1) drawn[i] = true;
}

bool DrugCatalogue::drawPhotoFile(const std::filesystem::path& file, QImage& image) const {
    if (image.format() != QImage::Format_RGB32) return false;
    DrugSurface surface = surfaceOf(image);
    int drawn = 0;
    OridginalImage(&surface, &drawn, file.string().c_str(), nullptr, 0, 0);
    return drawn == 1;
}

}  // namespace data

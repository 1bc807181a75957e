// PictureImage and DrawImage with 1,600 x 1,200 photographs, beside the bare work they wrap:
// the YJ-code lookup, reading the file and libjpeg decoding it at the scale the call uses.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <sstream>

#include "drugbase.h"
#include "jpeg_decode.h"
#include "jpeg_writer.h"
#include "layout/data_folder.h"
#include "scratch_catalogue.h"
#include "sqlkit/sqlkit.h"
#include "synthetic_catalogue.h"

namespace {

constexpr int kDrugs = 40000;
const std::string kCode = bench::syntheticYjCode(1234);

// A photograph-like picture: a lit background with tablets and sensor noise, so that the file
// is as large as a camera's.
testjpeg::Rgb photograph(int width, int height) {
    testjpeg::Rgb p(width, height);
    std::mt19937 rng(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int v = 150 + 60 * x / width - 30 * y / height;
            const int dx = (x % 400) - 200, dy = (y % 400) - 200;
            if (dx * dx + dy * dy < 120 * 120) v = 235 - (dx * dx + dy * dy) / 2000;
            v += static_cast<int>(rng() % 9) - 4;
            const auto c = static_cast<std::uint32_t>(std::clamp(v, 0, 255));
            p.set(x, y, c << 16 | (c * 95 / 100) << 8 | c * 85 / 100);
        }
    return p;
}

// The drug with all six supplied photographs, written once.
const bench::Scratch& photographed() {
    static const bench::Scratch& s = []() -> const bench::Scratch& {
        const bench::Scratch& scratch = bench::scratchCatalogue(kDrugs);
        const std::string jpeg = testjpeg::encode(photograph(1600, 1200), {.quality = 90});
        for (int n = 1; n <= 6; ++n)
            testjpeg::writeFile(layout::photoFolder(scratch.program, n) / (kCode + ".jpg"), jpeg);
        auto db = sqlkit::openEncrypted(scratch.database / "薬剤ファイル.mdb", "HN%tPQS", nullptr);
        db->exec(("UPDATE Medicine_Information SET PHOTO1 = 1, PHOTO2 = 1, PHOTO3 = "
                  "1, PHOTO4 = 1, PHOTO5 = 1, PHOTO6 = 1, PHOTO_HYOUJI = 1 WHERE "
                  "YJCODE = '" +
                  kCode + "'")
                     .c_str());
        return scratch;
    }();
    return s;
}

struct PhotoSurface {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(400 * 400);
    DrugSurface surface{400, 400, 1600, pixels.data()};
};

int window = 1;

void PictureImage1600x1200(benchmark::State& state) {
    const bench::Scratch& s = photographed();
    PhotoSurface target;
    for (auto _ : state) {
        int drawn = 0;
        PictureImage(&target.surface, &drawn, &window, kCode.c_str(), s.program.c_str(), 0, 0);
        if (!drawn) state.SkipWithError("nothing drawn");
    }
}

void DrawImageSixPhotographs(benchmark::State& state) {
    const bench::Scratch& s = photographed();
    PhotoSurface targets[7];
    DrugSurface* surfaces[7];
    int flags[7];
    int* flagPointers[7];
    for (int i = 0; i < 7; ++i) {
        surfaces[i] = &targets[i].surface;
        flagPointers[i] = &flags[i];
    }
    for (auto _ : state) {
        std::fill(flags, flags + 7, 0);
        DrawImage(surfaces, flagPointers, &window, kCode.c_str(), s.program.c_str(), 0, 0);
        if (flags[5] != 1) state.SkipWithError("not all drawn");
    }
}

// The bare work of one PictureImage: the lookup, reading the file and decoding it.
void BarePictureWork(benchmark::State& state) {
    const bench::Scratch& s = photographed();
    const bool fullSize = state.range(0) != 0;
    const auto file = layout::photoFolder(s.program, 1) / (kCode + ".jpg");
    for (auto _ : state) {
        auto db = sqlkit::openEncrypted(s.database / "薬剤ファイル.mdb", "HN%tPQS", nullptr);
        sqlkit::Statement find = db->prepare(
            "SELECT PHOTO1, PHOTO_HYOUJI FROM Medicine_Information WHERE "
            "YJCODE = ? ORDER BY rowid LIMIT 1");
        find.bindMatch(1, kCode);
        find.step();
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string data = bytes.str();
        const auto decoded =
            drugbase::decodeJpeg(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                                 fullSize ? 1600 : 140, fullSize ? 1200 : 105);
        benchmark::DoNotOptimize(decoded.picture.rgb.data());
    }
    state.SetLabel(fullSize ? "decoded at full size" : "decoded at the scale used");
}

}  // namespace

BENCHMARK(PictureImage1600x1200)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawImageSixPhotographs)->Unit(benchmark::kMillisecond);
BENCHMARK(BarePictureWork)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

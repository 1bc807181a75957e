#include "fuzz_seeds.h"

#include "jpeg_writer.h"
#include "sample_codes.h"
#include "sjis/sjis.h"

namespace fuzzseeds {
namespace {

std::vector<std::string> k3Seeds() {
    const char* files[] = {
        "\"111111111111\",\"作用Ａ\",\"作用Ｂ\",\"\",\"Ｃ２\",\"注意\"\r\n"
        "\"222222222222\";\"x\",\"\",\"\",\"\",\"\"\n",
        "\"１２３４５６７８９０ＡＢ\",\"ＳＰ 1,2\",PTP \"A,B\",,\"有\"\r\n"
        "\"123456789012            \",\"X\",\"Y\",\"Z\"\r\n",
        "\"999999999999999999999999\",\"＄\",\"x\",\"内用\",\"１１４\",\"錠\",\"１日３回\","
        "\"劇\",\"ABCD\"\r\n\"999999999999999999999999\",\"\",\"\",\"\",\"\r\n",
        "\"114\",\"解熱鎮痛消炎剤\"\r\n\"214\",\"血圧降下剤\"\r\n\r\n\"x\"\r\n",
    };
    std::vector<std::string> out;
    for (const char* f : files) out.push_back(sjis::fromUtf8(f));
    return out;
}

std::vector<std::string> jpegSeeds() {
    using testjpeg::Colour;
    const auto picture = testjpeg::quadrants(48, 32, 0xE02020, 0x20C040, 0x2040E0, 0xF0E020);
    const testjpeg::Options kinds[] = {
        {},
        {.progressive = true},
        {.colour = Colour::Grey},
        {.colour = Colour::AdobeCmyk},
        {.colour = Colour::PlainCmyk, .progressive = true},
        {.exifOrientation = 6},
        {.exifOrientation = 8, .bigEndianExif = true},
    };
    std::vector<std::string> out;
    for (const auto& options : kinds) out.push_back(testjpeg::encode(picture, options));
    return out;
}

// Prescription codes in both encodings and the shortened layouts, and a drug master row.
std::vector<std::string> prescriptionSeeds() {
    return {
        samples::asCode(samples::kFormatNote),
        std::string(samples::kFormatNote) + "\x1A",
        samples::asCode(samples::withHeader(
            "101,1,1,,14\n111,1,１日２回朝夕食後,2\n201,1,1,4,1149019F1560,薬,3,錠\n"
            "221,1,1,1.5,1.5,,,,,,,,\n241,1,1,2/3,3\n101,2,3,\n111,2,1,,塗布,\n"
            "201,2,1,1,2,620000001,軟膏,25,1,ｇ\n181,2,1,6,患部,,\n")),
        sjis::fromUtf8(
            "0,Y,610406079,7,ガスター散２％,09,ｶﾞｽﾀｰｻﾝ2%,33,1,ｇ,1,9.50,0,0,0,0,0,0,0,0,0,1,0,0,0,"
            "0,0,1,,20260401,99999999,2325003B2029,001413000,0,ガスター散２％,0,2325003B2ZZZ,"
            "【般】ファモチジン散２％,2,0,0,1\r\n"),
    };
}

}  // namespace

std::vector<std::string> seeds(const std::string& target) {
    if (target == "k3_records") return k3Seeds();
    if (target == "jpeg_decode") return jpegSeeds();
    if (target == "prescription_read") return prescriptionSeeds();
    return {};
}

}  // namespace fuzzseeds

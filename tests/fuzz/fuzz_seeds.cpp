#include "fuzz_seeds.h"

#include "jpeg_writer.h"
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

}  // namespace

std::vector<std::string> seeds(const std::string& target) {
    if (target == "k3_records") return k3Seeds();
    if (target == "jpeg_decode") return jpegSeeds();
    return {};
}

}  // namespace fuzzseeds

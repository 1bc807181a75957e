// Prescription code texts for the tests, written in UTF-8 with LF line ends; asCode() turns
// one into what a scanner delivers (CP932, CR LF).
#pragma once

#include <string>
#include <string_view>

#include "sjis/sjis.h"

namespace samples {

// The sample of the format note: two RPs, a レセ電 code, a 一般名 code with a note, a 頓服.
inline constexpr std::string_view kFormatNote =
    "JAHIS10\n"
    "1,1,1234567,13,医療法人 工業会病院\n"
    "2,105-0004,東京都港区新橋１丁目１１番\n"
    "3,03-0000-0000,,\n"
    "4,1,,内科\n"
    "5,,ｺｳｷﾞｮｳｶｲ ｼﾞﾛｳ,工業会 次郎\n"
    "11,,日薬 太郎,ﾆﾁﾔｸ ﾀﾛｳ\n"
    "12,1\n"
    "13,19600606\n"
    "21,1\n"
    "22,06012345\n"
    "23,０１－２３,１２３４,1,\n"
    "24,30,70\n"
    "51,20260410\n"
    "101,1,1,,14\n"
    "111,1,1,,１日３回毎食後服用,3\n"
    "201,1,1,1,2,612170709,ノルバスク錠２．５ｍｇ,3,1,錠\n"
    "201,1,2,1,7,2171014M2ZZZ,【般】ニフェジピンカプセル１０ｍｇ,3,1,カプセル\n"
    "281,1,2,1,3,後発品変更不可,\n"
    "101,2,2,,5\n"
    "111,2,1,,頭痛時,\n"
    "201,2,1,1,1,,カロナール錠２００ｍｇ,1,1,錠\n"
    "241,2,1,1,\n";

// 見本 花子, born on the last day of 昭和 (昭和64年1月7日); famotidine by its YJ code, amlodipine
// by a general-name code with two products in the catalogue, and a drug the catalogue lacks.
inline constexpr const char* kHanakoCode =
    "JAHIS10\n"
    "1,1,1234567,13,見本クリニック\n"
    "4,1,,内科\n"
    "5,,ﾐﾎﾝ ｲｼ,見本　医師\n"
    "11,,見本　花子,ﾐﾎﾝ ﾊﾅｺ\n"
    "12,2\n"
    "13,19890107\n"
    "51,20260410\n"
    "101,1,1,,14\n"
    "111,1,1,,１日２回朝夕食後,2\n"
    "201,1,1,1,4,2325903F2M95,ファモチジン錠２０ｍｇ「見本」,2,1,錠\n"
    "201,1,2,1,7,2171901F2ZZZ,【般】アムロジピン錠５ｍｇ,2,1,錠\n"
    "201,1,3,1,1,,架空薬錠１ｍｇ,2,1,錠\n";

// CP932 with CR LF line ends.
inline std::string asCode(std::string_view utf8) {
    std::string text;
    for (char c : utf8) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return sjis::fromUtf8(text);
}

// The header records every test prescription starts with.
inline std::string withHeader(std::string_view rps) {
    return "JAHIS9\n1,1,1234567,13,病院\n5,,,医師 一郎\n11,,患者 花子,ｶﾝｼﾞｬ ﾊﾅｺ\n12,2\n" +
           std::string(rps);
}

}  // namespace samples

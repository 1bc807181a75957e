// Reading PDF files back with poppler-utils (pdfinfo, pdftotext).
#pragma once

#include <cstdio>
#include <string>

// The command's whole output.
inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = fgetc(pipe)) != EOF;) out += static_cast<char>(c);
        pclose(pipe);
    }
    return out;
}

// The command's output without blanks and line ends, which pdftotext puts between glyphs.
inline std::string compactOutput(const std::string& command) {
    std::string out = commandOutput(command);
    std::erase_if(out, [](char c) { return c == ' ' || c == '\n'; });
    return out;
}

inline std::string pdfInfo(const std::string& file) {
    return compactOutput("pdfinfo '" + file + "'");
}

// The number of pictures on the pages of a PDF file.
inline int pdfImageCount(const std::string& file) {
    const std::string list = compactOutput("pdfimages -list '" + file + "'");
    int n = 0;
    for (std::size_t at = 0; (at = list.find("image", at)) != std::string::npos; at += 5) ++n;
    return n;
}

// The text of page `page` (from 1), or of every page when it is 0.
inline std::string pdfText(const std::string& file, int page = 0) {
    const std::string range =
        page > 0 ? "-f " + std::to_string(page) + " -l " + std::to_string(page) + " " : "";
    return compactOutput("pdftotext " + range + "'" + file + "' -");
}

// The texts of a PDF file in the order they were drawn.
inline std::string pdfDrawnText(const std::string& file) {
    return compactOutput("pdftotext -raw '" + file + "' -");
}

// The height of the first word `word` on the pages of a PDF file as pdftotext -bbox boxes it,
// or 0 when there is no such word.
inline double pdfWordHeight(const std::string& file, const std::string& word) {
    const std::string boxes = commandOutput("pdftotext -bbox '" + file + "' -");
    const std::size_t end = boxes.find(">" + word + "</word>");
    const std::size_t start = boxes.rfind("<word ", end);
    if (end == std::string::npos || start == std::string::npos) return 0;
    double yMin = 0, yMax = 0, x = 0;
    if (std::sscanf(boxes.c_str() + start,
                    "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &x, &yMin, &x,
                    &yMax) != 4)
        return 0;
    return yMax - yMin;
}

// Reading PDF files back with poppler-utils (pdfinfo, pdftotext).
#pragma once

#include <cstdio>
#include <string>

// The command's output without blanks and line ends, which pdftotext puts between glyphs.
inline std::string compactOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = fgetc(pipe)) != EOF;) {
            if (c != ' ' && c != '\n') out += static_cast<char>(c);
        }
        pclose(pipe);
    }
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

#include "csv.h"

#include <gtest/gtest.h>

using admin::parseCsv;

// Each record as "line:field|field|...".
TEST(Csv, QuotedFieldsAndLineNumbers) {
    const auto p = parseCsv(
        "\xEF\xBB\xBF"
        "a,b,c\r\n"
        "\n"
        "\"x, y\",\"say \"\"hi\"\"\",\"two\nlines\"\n"
        ",,\n"
        "last,row,here");
    EXPECT_EQ(p.error, "");
    std::string shown;
    for (const auto& r : p.records) {
        shown += std::to_string(r.line) + ":";
        for (const std::string& f : r.fields) shown += f + (&f == &r.fields.back() ? "\n" : "|");
    }
    EXPECT_EQ(shown, "1:a|b|c\n3:x, y|say \"hi\"|two\nlines\n5:||\n6:last|row|here\n");
}

TEST(Csv, RefusalsNameTheirLine) {
    struct Case {
        const char* name;
        std::string text;
        const char* error;
        int line;
    };
    const Case cases[] = {
        {"unclosed quote", "a\n\"open\nstill open", "a quoted field is not closed", 2},
        {"text after a quote", "a\nb\n\"q\"x\n", "text after a closing quote", 3},
        {"quote in a field", "a\"b\n", "a quote inside an unquoted field", 1},
        // Counted through a quoted field that spans lines.
        {"invalid UTF-8", "a,\"b\nc\"\nd,\xC0\xAF\n", "invalid UTF-8", 3},
        {"the file ends inside a character", "a\nb\n\xE8\x96", "invalid UTF-8", 3},
        {"NUL byte", std::string("a\n\"x\0y\"\n", 8), "a NUL byte", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = parseCsv(c.text);
        EXPECT_EQ(p.error, c.error);
        EXPECT_EQ(p.errorLine, c.line);
    }
}

#include <gtest/gtest.h>

#include "csv.h"

using admin::parseCsv;
using Fields = std::vector<std::string>;

TEST(Csv, QuotedFieldsAndLineNumbers) {
    const auto p = parseCsv(
        "\xEF\xBB\xBF"
        "a,b,c\r\n"
        "\n"
        "\"x, y\",\"say \"\"hi\"\"\",\"two\nlines\"\n"
        ",,\n"
        "last,row,here");
    ASSERT_EQ(p.error, "");
    ASSERT_EQ(p.records.size(), 4u);
    EXPECT_EQ(p.records[0].fields, (Fields{"a", "b", "c"}));
    EXPECT_EQ(p.records[1].line, 3);
    EXPECT_EQ(p.records[1].fields, (Fields{"x, y", "say \"hi\"", "two\nlines"}));
    EXPECT_EQ(p.records[2].line, 5);
    EXPECT_EQ(p.records[2].fields, (Fields{"", "", ""}));
    EXPECT_EQ(p.records[3].line, 6);
    EXPECT_EQ(p.records[3].fields.back(), "here");
}

TEST(Csv, MalformedQuotesNameTheirLine) {
    auto p = parseCsv("a\n\"open\nstill open");
    EXPECT_EQ(p.error, "a quoted field is not closed");
    EXPECT_EQ(p.errorLine, 2);
    p = parseCsv("a\nb\n\"q\"x\n");
    EXPECT_EQ(p.error, "text after a closing quote");
    EXPECT_EQ(p.errorLine, 3);
    p = parseCsv("a\"b\n");
    EXPECT_EQ(p.error, "a quote inside an unquoted field");
}

TEST(Csv, InvalidUtf8AndNulBytesAreRefusedWithTheirLine) {
    // Counted through a quoted field that spans lines.
    auto p = parseCsv("a,\"b\nc\"\nd,\xC0\xAF\n");
    EXPECT_EQ(p.error, "invalid UTF-8");
    EXPECT_EQ(p.errorLine, 3);
    EXPECT_TRUE(p.records.empty());
    p = parseCsv("a\nb\n\xE8\x96");  // the file ends inside a character
    EXPECT_EQ(p.error, "invalid UTF-8");
    EXPECT_EQ(p.errorLine, 3);
    p = parseCsv(std::string("a\n\"x\0y\"\n", 8));
    EXPECT_EQ(p.error, "a NUL byte");
    EXPECT_EQ(p.errorLine, 2);
}

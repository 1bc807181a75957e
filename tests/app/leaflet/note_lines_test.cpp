// Efficacy and caution texts longer than their ten lines: the ellipsis that ends the last line,
// and the drugs the preview names.
#include "leaflet/note_lines.h"

#include <gtest/gtest.h>

#include <vector>

#include "entry_builder.h"
#include "leaflet/line_breaking.h"

namespace {

using leaflet::noteLines;

TEST(NoteLines, ACutNoteEndsInAnEllipsisThatStillFitsItsLine) {
    const std::string ellipsis = cp932("…");
    const auto exact = noteLines(digits(280));
    ASSERT_EQ(exact.size(), 10u);
    EXPECT_EQ(exact[9], digits(280).substr(252)) << "ten full lines are not cut";

    const auto cut = noteLines(digits(281));
    ASSERT_EQ(cut.size(), 10u);
    EXPECT_EQ(cut[8], digits(280).substr(224, 28));
    EXPECT_EQ(cut[9], digits(280).substr(252, 26) + ellipsis);

    // The tenth line is "2" and thirteen double-byte characters (27 bytes); the ellipsis takes
    // the place of one whole character, never half of one.
    const auto kanji = noteLines(digits(253) + repeated("効", 20));
    ASSERT_EQ(kanji.size(), 10u);
    EXPECT_EQ(kanji[9], "2" + repeated("効", 12) + ellipsis);
    for (const std::string& line : kanji) EXPECT_LE(line.size(), leaflet::kNoteLineBytes);
}

TEST(NotesCut, TheDrugsWhosePrintedNotesDoNotFitAreNamedOnce) {
    const std::string longText = digits(300);
    DrugRecord shownUserText = EntryBuilder().name("丁").efficacy(longText).build();
    shownUserText.SAYO_HYOUJI = 1;  // the short user text is printed instead
    sjis::copyField(shownUserText.SAYO_TOROKU, sizeof shownUserText.SAYO_TOROKU, "short");
    DrugRecord cutUserText = EntryBuilder().name("戊").build();
    cutUserText.CYUUI_HYOUJI = 1;
    sjis::copyField(cutUserText.CYUUI_TOROKU, sizeof cutUserText.CYUUI_TOROKU, longText);

    const std::vector<DrugRecord> entries{
        EntryBuilder().name("甲").efficacy(digits(280)).caution(digits(280)).build(),
        EntryBuilder().name("乙").caution(longText).build(),
        shownUserText,
        cutUserText,
        EntryBuilder().name("乙").efficacy(longText).build(),
        EntryBuilder().name("己").usage("漸減：１週目は１回３錠、２週目は１回２錠…").build(),
        EntryBuilder().name("庚").usage("…と同じ").build(),
        EntryBuilder().name("辛").amount("１回１錠…").build(),
        EntryBuilder().name("壬").days("７日分…").build(),
    };
    std::vector<std::string> names;
    for (const std::string& name : leaflet::drugsWithCutNotes(entries))
        names.push_back(sjis::toUtf8(name));
    EXPECT_EQ(names, (std::vector<std::string>{"乙", "戊", "己", "辛", "壬"}));
}

}  // namespace

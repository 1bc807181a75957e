// The serial scanner's bytes gathered into symbols, and the bound on a symbol's size.
#include "intake/symbol_gatherer.h"

#include <gtest/gtest.h>

namespace {

using intake::kMostSymbolBytes;
using intake::SymbolGatherer;

TEST(SymbolGatherer, SymbolsEndAtTheEndOfFileByteOrWhenTheLineGoesQuiet) {
    SymbolGatherer gatherer;
    EXPECT_TRUE(gatherer.add("JAHIS10\r\n1,").symbols.empty());
    const intake::Gathered first = gatherer.add(
        "1\r\n\x1A\x1A"
        "201,");
    EXPECT_EQ(first.symbols, std::vector<std::string>{"JAHIS10\r\n1,1\r\n"});
    EXPECT_TRUE(gatherer.pending());
    EXPECT_EQ(gatherer.finish().symbols, std::vector<std::string>{"201,"});
    EXPECT_FALSE(gatherer.pending());
}

// Noise far beyond any prescription costs one drop per symbol and no memory beyond the bound;
// the symbol after it is read whole.
TEST(SymbolGatherer, ASymbolLargerThanTheBoundIsDroppedWhole) {
    SymbolGatherer gatherer;
    const std::string noise(kMostSymbolBytes / 4, 'x');
    int dropped = 0;
    for (int i = 0; i < 40; ++i) {
        const intake::Gathered g = gatherer.add(noise);
        EXPECT_TRUE(g.symbols.empty());
        dropped += g.dropped;
    }
    EXPECT_EQ(dropped, 1);
    const intake::Gathered next = gatherer.add("tail\x1AJAHIS10\x1A");
    EXPECT_EQ(next.symbols, std::vector<std::string>{"JAHIS10"});

    // Exactly the bound is still a symbol.
    EXPECT_EQ(gatherer.add(std::string(kMostSymbolBytes, 'y') + '\x1A').symbols.size(), 1u);
    gatherer.add(std::string(kMostSymbolBytes + 1, 'z'));
    EXPECT_TRUE(gatherer.finish().symbols.empty());
}

}  // namespace

// The bytes a serial-type scanner sends, gathered into symbols: a symbol ends at the end-of-file
// byte or when the line goes quiet. A symbol larger than any prescription is dropped whole, so
// noise on the line costs bounded memory however long it lasts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace intake {

// The most bytes one symbol (or one text a scanner joins from several) may hold. A QR symbol
// holds at most 2,953 bytes and a Structured Append sequence at most 16 symbols, 47,248 bytes;
// 64 KB leaves room above every real prescription.
constexpr std::size_t kMostSymbolBytes = 64 * 1024;

struct Gathered {
    std::vector<std::string> symbols;  // complete symbols, CP932, without the end-of-file byte
    int dropped = 0;                   // symbols dropped for passing kMostSymbolBytes
};

class SymbolGatherer {
  public:
    // The symbols the bytes complete.
    Gathered add(std::string_view bytes);
    // The line went quiet: the symbol being received is complete.
    Gathered finish();
    bool pending() const { return !pending_.empty() || overflowing_; }
    void clear();

  private:
    void end(Gathered& gathered);

    std::string pending_;
    bool overflowing_ = false;  // the symbol being received passed the bound: its rest is dropped
};

}  // namespace intake

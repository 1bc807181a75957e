// Printing a leaflet: every page a print job of its own, named kPrintJobName, on a print target
// (the system's default printer, or PDF files), with the messages of a print that failed.
#pragma once

#include "preview/print_target.h"

namespace leaflet {

class PageComposer;

enum class PrintOutcome {
    kPrinted,    // every page was handed to the target
    kNoPrinter,  // the target does not exist; nothing was printed
    kJobFailed,  // a job could not start or was not delivered; later pages were not printed
};

// Prints pages 0 .. pageTotal()-1 of an already paginated leaflet, one job per page, each page
// mapped isotropically with 1,445 logical units across the shorter printable side.
PrintOutcome printPages(const PageComposer& composer, PrintTarget& target);

// Messages for the outcomes other than kPrinted, shown with the warning icon under kPrintTitle.
inline constexpr const char* kPrintTitle = "印刷";
inline constexpr const char* kNoPrinterText = "プリンターが設定されていません。";
inline constexpr const char* kJobFailedText =
    "プリンターが印刷を受け付けませんでした。印刷されていないページがあります。\n"
    "プリンターの状態を確かめてから、もう一度印刷して下さい。";

}  // namespace leaflet

// Reading a prescription code text of many RPs (one drug each, as a long-term prescription
// printed on many symbols), beside the bare work it wraps: splitting the text into lines and
// fields. The reading should grow with the text as the splitting does.
#include <benchmark/benchmark.h>

#include <string>

#include "prescription/prescription_reader.h"
#include "prescription/record_fields.h"
#include "prescription/symbol_text.h"
#include "sjis/sjis.h"

namespace {

std::string codeOf(int rps) {
    std::string text = "JAHIS10\r\n1,1,1234567,13,病院\r\n5,,,医師\r\n11,,患者,ｶﾝｼﾞｬ\r\n";
    for (int rp = 1; rp <= rps; ++rp) {
        const std::string n = std::to_string(rp);
        text += "101," + n + ",1,,14\r\n111," + n + ",1,,１日３回毎食後,3\r\n201," + n +
                ",1,1,2,620000001,薬,3,1,錠\r\n221," + n + ",1,1,1,1,,,,,,,\r\n";
    }
    return sjis::fromUtf8(text);
}

void readPrescriptionCode(benchmark::State& state) {
    const std::string code = codeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const prescription::ReadResult result = prescription::readPrescription(code);
        if (!result.prescription) state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(readPrescriptionCode)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void splitCodeIntoFields(benchmark::State& state) {
    const std::string code = codeOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t fields = 0;
        for (const prescription::TextLine& line : prescription::splitLines(code))
            fields += prescription::splitFields(line.text).size();
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(splitCodeIntoFields)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

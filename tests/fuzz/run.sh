#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time, starting from valid seed files.
#   tests/fuzz/run.sh [SECONDS_PER_TARGET]   (default 45; build and corpus in build-fuzz/)
# With 0 seconds each target is built and runs its seeds once (what CI does, so the targets'
# source lists cannot fall behind the libraries).
# Exits non-zero when a target crashes, leaks, trips a sanitizer or times out.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-45}
out=build-fuzz
mkdir -p "$out"

cxx=(clang++ -std=c++20 -g -O1 -Wall -Wextra -fno-omit-frame-pointer
     -Idrugbase/include -Idrugbase/src -Icommon/sjis/include -Icommon/era/include -Itests/support -Iapp
     -Itests/app/prescription)
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=undefined)
sjis=(common/sjis/src/*.cpp)

declare -A sources=(
  [k3_records]="drugbase/src/k3_records.cpp drugbase/src/k3_file.cpp"
  [jpeg_decode]="drugbase/src/jpeg_decode.cpp drugbase/src/orientation.cpp drugbase/src/picture.cpp"
  [prescription_read]="$(echo app/prescription/*.cpp) app/dosage/amount_text.cpp
    app/dosage/dosage_forms.cpp app/leaflet/print_entry.cpp common/era/src/era.cpp"
)
if [[ $seconds == 0 ]]; then limit=(-runs=0); else limit=(-max_total_time="$seconds"); fi

"${cxx[@]}" -o "$out/make_seeds" tests/fuzz/make_seeds.cpp tests/fuzz/fuzz_seeds.cpp \
  tests/support/jpeg_writer.cpp "${sjis[@]}" -ljpeg

status=0
for target in k3_records jpeg_decode prescription_read; do
  # shellcheck disable=SC2086
  "${cxx[@]}" "${sanitize[@]}" -fsanitize=fuzzer -o "$out/fuzz_$target" \
    "tests/fuzz/${target}_fuzz.cpp" ${sources[$target]} "${sjis[@]}" -ljpeg
  corpus="$out/corpus/$target"
  "$out/make_seeds" "$target" "$corpus"
  echo "== $target: ${limit[*]}"
  if ! "$out/fuzz_$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$out/crash-$target-" "$corpus" \
       >"$out/$target.log" 2>&1; then
    echo "$target: FAILED, see $out/$target.log"
    tail -40 "$out/$target.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$out/$target.log" || true
    tail -1 "$out/$target.log"
  fi
done
exit $status

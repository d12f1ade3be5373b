#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 600) on its committed seed
# corpus; new inputs go to a scratch folder, crashes to fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
bash scripts/deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKELVARIN_FUZZ=ON -DKELVARIN_TESTS=OFF \
    -DKELVARIN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target fuzz_obj fuzz_tga fuzz_shader_source fuzz_script fuzz_settings \
    -j"$(nproc)"
mkdir -p fuzz/findings
for target in obj tga shader_source script settings; do
    corpus=fuzz/corpus/${target%_source}
    scratch=$(mktemp -d)
    echo "== fuzz_$target for ${seconds}s"
    ./build-fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=fuzz/findings/"$target"- "$scratch" "$corpus" 2>&1 |
        grep -E "^(stat::|==|Done|INFO: -max_total_time)|ERROR|SUMMARY" || true
    rm -rf "$scratch"
done

#!/usr/bin/env bash
# Runs the benchmarks and the peer meters in one run on this machine and writes
# docs/performance.md from the medians. Not part of scripts/test.sh: it takes minutes.
#   scripts/bench.sh                 # 5 repetitions per case
#   REPETITIONS=9 scripts/bench.sh
#   ROUNDS=31 scripts/bench.sh      # rounds of ours against the peers, head to head (15)
set -euo pipefail
cd "$(dirname "$0")/.."

# The peers (Debian's x42-plugins) and the LV2 host library come only with the benchmarks.
scripts/install-deps.sh x42-plugins liblilv-dev python3

build_dir=${BUILD_DIR:-build-bench}
repetitions=${REPETITIONS:-5}
rounds=${ROUNDS:-15}
if ! [[ $repetitions =~ ^[0-9]+$ ]] || ((repetitions < 2)); then
  # A single repetition gives Google Benchmark nothing to take a median of.
  echo "REPETITIONS must be a whole number of at least 2" >&2
  exit 2
fi
if ! [[ $rounds =~ ^[0-9]+$ ]] || ((rounds < 1)); then
  echo "ROUNDS must be a whole number of at least 1" >&2
  exit 2
fi
cmake -S . -B "$build_dir" -G Ninja -DVELUNOR_WERROR=ON -DVELUNOR_BUILD_BENCH=ON -DVELUNOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j2 --target velunor_engine_bench velunor_chain_bench velunor_plugin_bench velunor_editor_bench \
  velunor_lilv_peer

results="$build_dir/bench-results"
mkdir -p "$results"
bin="$build_dir/bin"
common=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
        --benchmark_min_time=0.1 --benchmark_out_format=json)
"$bin/velunor_engine_bench" "${common[@]}" --benchmark_out="$results/engines.json" >/dev/null
"$bin/velunor_chain_bench" "${common[@]}" --benchmark_out="$results/chain.json" >/dev/null
# The plug-in reads its settings file at load: give it an empty folder of its own.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
VELUNOR_BIN_DIR="$bin" XDG_CONFIG_HOME="$settings" \
  "$bin/velunor_plugin_bench" "${common[@]}" --benchmark_out="$results/plugin.json" >/dev/null
# One of the editor's cases draws into an X11 window: a private Xvfb display when there is none.
x11=()
[ -n "${DISPLAY:-}" ] || x11=(xvfb-run -a)
XDG_CONFIG_HOME="$settings" \
  "${x11[@]}" "$bin/velunor_editor_bench" "${common[@]}" --benchmark_out="$results/editor.json" >/dev/null
# Ours against the peers, head to head: round after round, our cases and then each peer once, so
# that both sides meet the same load on this shared machine. The page quotes medians over rounds.
rm -f "$results"/headtohead-*
for ((round = 1; round <= rounds; round++)); do
  "$bin/velunor_engine_bench" --benchmark_min_time=0.1 --benchmark_out_format=json \
    --benchmark_filter='^((vu|ppm|rms)Process/precise:0/rate:48000/frames:256|truePeakStage/variant:[0-9]+/rate:48000/frames:256)$' \
    --benchmark_out="$results/headtohead-ours-$round.json" >/dev/null
  for meter in dBTPstereo VUstereo BBCstereo K20stereo; do
    "$bin/velunor_lilv_peer" "http://gareus.org/oss/lv2/meters#$meter" 1 >>"$results/headtohead-peers.txt"
  done
done
lscpu >"$results/lscpu.txt"

python3 scripts/performance_report.py "$results" "$repetitions" "$rounds" >docs/performance.md
echo "wrote docs/performance.md"

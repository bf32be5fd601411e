#!/usr/bin/env bash
# Sets up a fresh machine, builds the plug-in and the command-line host, and shows the plug-in at
# work on a generated 1 kHz test tone: what it reports about itself, a pass-through that is
# bit-identical to the input, the strip's trim at +20 dB, and the editor's window with each meter
# showing the built-in tone (under a private Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DVELUNOR_WERROR=ON
cmake --build "$build_dir" -j2 --target QVXVelunor_x64 velunor-host velunor-signal

bin=$build_dir/bin
plugin=$bin/QVXVelunor_x64.so
demo=$build_dir/demo
mkdir -p "$demo"

echo "== a 1 kHz sine, 2 s, -20 dBFS peak, 32-bit float stereo WAV"
"$bin/velunor-signal" sine "$demo/sine-1k.wav" --freq 1000 --seconds 2 --level -20

echo "== velunor-host info"
"$bin/velunor-host" info "$plugin"

echo "== \"Process\" off: the output is the input, bit for bit"
"$bin/velunor-host" process "$plugin" "$demo/sine-1k.wav" "$demo/process-off.wav"
"$bin/velunor-signal" compare "$demo/sine-1k.wav" "$demo/process-off.wav"

echo "== \"Process\" on, filters out, \"Trim\" at +20 dB"
"$bin/velunor-host" process "$plugin" "$demo/sine-1k.wav" "$demo/trim-plus-20dB.wav" \
  --param 0=1 --param 8=0 --param 1=1
"$bin/velunor-signal" compare "$demo/sine-1k.wav" "$demo/trim-plus-20dB.wav" --skip 0.1

echo "== the editor, one screenshot per meter, the built-in tone (0 VU, -18 dBFS) playing"
run_x=()
[ -n "${DISPLAY:-}" ] || run_x=(xvfb-run -a)
for m in 0:vu 0.5:rms 1:ppm; do
  "${run_x[@]}" "$bin/velunor-host" gui "$plugin" --seconds 2 --param 3="${m%%:*}" \
    --screenshot "$demo/${m##*:}.png"
done

echo "== files in $demo"
ls -l "$demo"

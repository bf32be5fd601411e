#!/usr/bin/env bash
# Installs the plug-in where LinuxVST hosts look for it, with the user manual and the private font
# beside it, and tells the plug-in where the manual is ("ManualPath" in its settings).
#   scripts/install.sh                   # for this user: ~/.vst
#   scripts/install.sh --prefix /usr/local   # <prefix>/lib/vst
#   scripts/install.sh --uninstall [--prefix DIR]
# Options: --build-dir DIR (default build), --no-build (use what DIR already holds).
# Uninstalling removes exactly what installing put there; the meters' calibration stays.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly manual_name=QVX_Velunor_3.0.0_UserManual_EN.html   # 36 characters, see below
readonly images_name=QVXVelunor-manual
readonly plugin_name=QVXVelunor_x64.so
readonly font_name=QVXVelunor.qxf
readonly font_licence_name=QVXVelunor.qxf.copyright
# The private font: any font file serves; this one is free and Debian ships it.
readonly font_source=/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf
readonly font_licence_source=/usr/share/doc/fonts-liberation/copyright

prefix=""
build_dir=build
build=1
uninstall=0
while (($#)); do
  case $1 in
    --prefix) prefix=${2:?--prefix needs a folder}; shift 2 ;;
    --prefix=*) prefix=${1#--prefix=}; shift ;;
    --build-dir) build_dir=${2:?--build-dir needs a folder}; shift 2 ;;
    --no-build) build=0; shift ;;
    --uninstall) uninstall=1; shift ;;
    -h|--help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "install.sh: unknown option $1" >&2; exit 64 ;;
  esac
done

if [ -n "$prefix" ]; then
  dest=$prefix/lib/vst
else
  dest=${HOME:?HOME is not set}/.vst
fi
settings_tool=$build_dir/bin/velunor-settings

if ((build)); then
  scripts/install-deps.sh
  cmake -S . -B "$build_dir" -G Ninja -DVELUNOR_WERROR=ON >/dev/null
  cmake --build "$build_dir" -j2 --target QVXVelunor_x64 velunor-settings velunor_manual
fi
[ -x "$settings_tool" ] || { echo "install.sh: $settings_tool is missing; run without --no-build" >&2; exit 1; }

if ((uninstall)); then
  if [ -d "$dest" ]; then
    dest=$(cd "$dest" && pwd -P)
    rm -f "$dest/$plugin_name" "$dest/$manual_name" "$dest/$font_name" "$dest/$font_licence_name"
    if [ -d "$dest/$images_name" ]; then
      rm -f "$dest/$images_name"/*.png
      rmdir "$dest/$images_name" 2>/dev/null || true
    fi
  fi
  # Only a ManualPath that names this installation is ours to take back.
  if [ "$("$settings_tool" get ManualPath 2>/dev/null || true)" = "$dest/$manual_name" ]; then
    "$settings_tool" delete ManualPath
  fi
  echo "Removed QVX Velunor from $dest"
  exit 0
fi

for f in "$build_dir/bin/$plugin_name" "$build_dir/manual/$manual_name" "$font_source" "$font_licence_source"; do
  [ -f "$f" ] || { echo "install.sh: $f is missing" >&2; exit 1; }
done
mkdir -p "$dest/$images_name"
dest=$(cd "$dest" && pwd -P)
install -m 0755 "$build_dir/bin/$plugin_name" "$dest/$plugin_name"
install -m 0644 "$build_dir/manual/$manual_name" "$dest/$manual_name"
install -m 0644 "$build_dir/manual/$images_name"/*.png "$dest/$images_name/"
install -m 0644 "$font_source" "$dest/$font_name"
install -m 0644 "$font_licence_source" "$dest/$font_licence_name"
# The plug-in finds its font by taking the manual's file name (36 characters) off ManualPath.
"$settings_tool" set ManualPath "$dest/$manual_name"
echo "Installed QVX Velunor in $dest"
echo "  ManualPath = $dest/$manual_name (in $("$settings_tool" file))"

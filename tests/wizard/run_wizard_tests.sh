#!/usr/bin/env bash
# Runs wizard driver scenarios against the setup program under Wine, each case in a
# fresh copy of the Wine harness's prefix template, on a virtual X display of its
# own, and keeps the screenshots the driver asks for under ARTIFACTS/<dpi>/<scenario>/.
#   run_wizard_tests.sh [--template DIR] SETUP.EXE DRIVER.EXE VIEWER.EXE ARTIFACTS [SCENARIO[@DPI]...]
# Without --template a template is made for this run. Without scenarios every
# scenario runs at 96 dpi and "pages" also at 144 dpi.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix_tool=(python3 "$here/../wine/wine_prefix.py")
export PYTHONDONTWRITEBYTECODE=1

template=""
if [ "${1:-}" = --template ]; then template=$(realpath -m "$2"); shift 2; fi
[ $# -ge 4 ] || { echo "usage: $0 [--template DIR] SETUP.EXE DRIVER.EXE VIEWER.EXE ARTIFACTS [SCENARIO[@DPI]...]" >&2; exit 2; }
setup=$(realpath "$1"); driver=$(realpath "$2"); viewer=$(realpath "$3"); artifacts=$(realpath -m "$4")
shift 4
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(pages@96 pages@144 welcome exits exit-yes associations ready question-no question-yes
  finish-done running-viewer failed-installation earlier-installation windows11)

work=$(mktemp -d "${TMPDIR:-/tmp}/lumora-wizard.XXXXXX")
xvfb_pid=""
cleanup() {
  "${prefix_tool[@]}" cleanup "$work" >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

if [ -z "$template" ]; then
  template="$work/template"
  "${prefix_tool[@]}" template "$template" >/dev/null || { echo "no prefix template"; exit 1; }
fi

Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
display=":$(cat "$work/display")"

failed=0
for case in "${cases[@]}"; do
  scenario=${case%@*}; dpi=96
  [ "$case" != "$scenario" ] && dpi=${case#*@}
  out="$artifacts/$dpi/$scenario"
  rm -rf "$out" && mkdir -p "$out"
  prefix="$work/$scenario-$dpi"
  "${prefix_tool[@]}" clone "$template" "$prefix" >/dev/null
  eval "$("${prefix_tool[@]}" env "$prefix" "$display")"
  if [ "$dpi" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
  fi
  [ "$scenario" = windows11 ] && "${prefix_tool[@]}" set-version "$prefix" win11 >/dev/null

  # Screenshots on the driver's request.
  (
    while :; do
      if [ -f "$out/screenshot.request" ]; then
        name=$(cat "$out/screenshot.request")
        import -display "$display" -window root "$out/$name.png" 2>/dev/null
        rm -f "$out/screenshot.request"
      fi
      sleep 0.05
    done
  ) &
  watcher=$!
  timeout 300 wine "$driver" "$scenario" "$(windows_path "$setup")" "$(windows_path "$viewer")" \
    "$(windows_path "$out")" >"$out/driver.log" 2>&1 </dev/null
  status=$?
  kill "$watcher" 2>/dev/null; wait "$watcher" 2>/dev/null
  "${prefix_tool[@]}" remove "$prefix" >/dev/null 2>&1
  tr -d '\r' <"$out/driver.log" | grep -E '^(ok|not ok|#)' | sed "s|^|[$scenario@$dpi] |"
  if [ $status -ne 0 ]; then
    failed=$((failed + 1))
    echo "[$scenario@$dpi] FAILED (driver status $status)"
  fi
done
echo "wizard scenarios: ${#cases[@]} run, $failed failed"
[ $failed -eq 0 ]

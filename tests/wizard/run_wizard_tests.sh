#!/usr/bin/env bash
# Runs the wizard driver's scenarios against the setup program under Wine, each in a
# fresh copy of one template prefix and on its own virtual X display, and keeps the
# screenshots the driver asks for under ARTIFACTS/<dpi>/<scenario>/.
#   run_wizard_tests.sh SETUP.EXE DRIVER.EXE VIEWER.EXE ARTIFACTS [SCENARIO[@DPI]...]
# Without scenarios every scenario runs at 96 dpi and "pages" at 96 and 144 dpi.
set -uo pipefail
[ $# -ge 4 ] || { echo "usage: $0 SETUP.EXE DRIVER.EXE VIEWER.EXE ARTIFACTS [SCENARIO[@DPI]...]" >&2; exit 2; }
setup=$(realpath "$1"); driver=$(realpath "$2"); viewer=$(realpath "$3"); artifacts=$(realpath -m "$4")
shift 4
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(pages@96 pages@144 welcome exits exit-yes associations ready question-no question-yes
  finish-done running-viewer failed-installation earlier-installation windows11)

export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" LANG=C.UTF-8 TZ=UTC
work=$(mktemp -d "${TMPDIR:-/tmp}/lumora-wizard.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# One template prefix: real user folders instead of links into $HOME, no window
# manager wait on close.
export WINEPREFIX="$work/template"
wineboot -i >/dev/null 2>&1
wineserver -w
for d in Desktop Documents Downloads Music Pictures Videos Templates; do
  link="$WINEPREFIX/drive_c/users/$(id -un)/$d"
  [ -L "$link" ] && rm "$link" && mkdir "$link"
done
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

# The display, shared by the cases one after the other.
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

failed=0
for case in "${cases[@]}"; do
  scenario=${case%@*}; dpi=96
  [ "$case" != "$scenario" ] && dpi=${case#*@}
  out="$artifacts/$dpi/$scenario"
  rm -rf "$out" && mkdir -p "$out"
  export WINEPREFIX="$work/case"
  rm -rf "$WINEPREFIX" && cp -a "$work/template" "$WINEPREFIX"
  if [ "$dpi" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  if [ "$scenario" = windows11 ]; then
    wine winecfg -v win10 >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentBuildNumber /t REG_SZ /d 22000 /f >/dev/null 2>&1
  fi
  wineserver -w

  # Screenshots on the driver's request.
  (
    while :; do
      if [ -f "$out/screenshot.request" ]; then
        name=$(cat "$out/screenshot.request")
        import -display "$DISPLAY" -window root "$out/$name.png" 2>/dev/null
        rm -f "$out/screenshot.request"
      fi
      sleep 0.05
    done
  ) &
  watcher=$!
  wine "$driver" "$scenario" "$(windows_path "$setup")" "$(windows_path "$viewer")" "$(windows_path "$out")" \
    >"$out/driver.log" 2>&1 </dev/null
  status=$?
  kill "$watcher" 2>/dev/null; wait "$watcher" 2>/dev/null
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  tr -d '\r' <"$out/driver.log" | grep -E '^(ok|not ok|#)' | sed "s|^|[$scenario@$dpi] |"
  if [ $status -ne 0 ]; then
    failed=$((failed + 1))
    echo "[$scenario@$dpi] FAILED (driver status $status)"
  fi
done
echo "wizard scenarios: ${#cases[@]} run, $failed failed"
[ $failed -eq 0 ]

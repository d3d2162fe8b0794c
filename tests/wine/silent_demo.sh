#!/usr/bin/env bash
# A real silent installation of the setup program in a fresh Wine prefix, printing
# what it left: exit code, files, registry, links, settings files, log.
#   silent_demo.sh SETUP.EXE [OPTIONS...]
# Options default to "/silent /desktop=1 /thumbs=1 /group=1 /assoc=1". The link
# reader is taken from the build tree beside the exe (tests/wine/read_link.exe) or
# from LUMORA_READ_LINK. The prefix is removed and its programs ended on exit.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 SETUP.EXE [OPTIONS...]" >&2; exit 2; }
exe=$(realpath "$1")
shift
options=("$@")
[ ${#options[@]} -gt 0 ] || options=(/silent /desktop=1 /thumbs=1 /group=1 /assoc=1)
read_link=${LUMORA_READ_LINK:-$(dirname "$exe")/tests/wine/read_link.exe}
link_args=()
[ -f "$read_link" ] && link_args=(--read-link "$read_link")

work=$(mktemp -d "${TMPDIR:-/tmp}/lumora-demo.XXXXXX")
cleanup() { PYTHONDONTWRITEBYTECODE=1 python3 "$here/wine_prefix.py" cleanup "$work"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

PYTHONDONTWRITEBYTECODE=1 python3 "$here/demo_report.py" --setup "$exe" --work "$work" \
  "${link_args[@]}" -- "${options[@]}"

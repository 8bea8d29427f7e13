#!/usr/bin/env bash
# The Print command end to end under a real X server: a screen-sized image on
# the clipboard opens the report, "&Imprimer" picks the incident point with a
# click, and the printout goes to a PDF file through the printer dialog's
# automation hook (QX_PRINT_TO_PDF). Two printouts of the one capture: the
# second carries the next number and both arrows. The PDFs are read back
# with poppler.
#
# Usage: print_to_pdf.sh QXBETA_BINARY [OUTPUT_DIR [INSTALLATION_MAKER]]
# Without xvfb-run's display it starts one itself. The PDFs (first.pdf,
# second.pdf), their last pages as PNG and the screens seen on the way stay
# in OUTPUT_DIR. With the installation maker (qx_demo_installation) the
# environment's files carry versions, and their product codes are checked on
# paper too.
set -euo pipefail

binary=$(realpath "$1")
out=${2:-$(mktemp -d)}
mkdir -p "$out"
out=$(realpath "$out")
maker=${3:+$(realpath "$3")}

if [ -z "${QX_E2E_IN_XVFB:-}" ]; then
  export QX_E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$binary" "$out" ${maker:+"$maker"}
fi

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
app_pid=""
clip_pid=""
stop() { # the pid of a process this script started
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then kill "$1"; wait "$1" 2>/dev/null || true; fi
}
cleanup() {
  stop "$app_pid"
  stop "$clip_pid"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  import -window root "$out/screen-at-failure.png" 2>/dev/null || true
  exit 1
}

# A configuration with an installed environment and a stored identity.
# Its own runtime directory: a copy run by someone else on this machine is
# not the one this test talks to.
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Orvane" "$HOME" "$work/orvane" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
if [ -n "$maker" ]; then
  "$maker" "$work/orvane" > /dev/null
  codes="A01 A67 B01"
else
  touch "$work/orvane/orvane55.exe"
  codes=""
fi
printf '[Orvane55]\r\nREPEXE=%s\r\n[QXBETA]\r\nINFO=0\r\nINFOIMP=0\r\nnumrpt=41\r\nNom=Martin Dupont\r\nns=654321\r\n' \
  "$work/orvane" > "$XDG_CONFIG_HOME/Orvane/Orvane.ini"

pdf="$work/report.pdf"
rm -f "$pdf"
QX_PRINT_TO_PDF="$pdf" "$binary" > "$out/qxbeta.log" 2>&1 &
app_pid=$!

wait_for() { # seconds, then a command that must succeed
  local tries=$(( $1 * 5 )); shift
  for _ in $(seq "$tries"); do "$@" > /dev/null 2>&1 && return 0; sleep 0.2; done
  return 1
}

# The watcher window is up when the clipboard viewer is: give it a moment.
wait_for 20 xdotool search --pid "$app_pid" --onlyvisible --name "." || fail "qxbeta did not start"
sleep 1

# A "screenshot": a flat grey image of the screen's size.
python3 "$here/print_checks.py" grey-png 1024 768 "$work/screen.png"
xclip -quiet -selection clipboard -t image/png -i "$work/screen.png" 2>/dev/null &
clip_pid=$!

report=""
# The report dialog: the wide one of the windows with the dialogs' caption
# (the progress window has it too, and goes).
find_report() {
  report=""
  local id width
  for id in $(xdotool search --onlyvisible --name "Orvane Logiciels" 2>/dev/null); do
    width=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
    if [ "${width:-0}" -ge 500 ]; then report=$id; return 0; fi
  done
  return 1
}
wait_for 20 find_report || fail "the report dialog did not open"
sleep 1
import -window root "$out/screen-report-dialog.png"

# The pick: the image over the whole screen until a click.
find_pick() {
  local id geometry
  for id in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | tr '\n' ' ')
    case "$geometry" in *"X=0 Y=0 WIDTH=1024 HEIGHT=768"*) return 0 ;; esac
  done
  return 1
}

ini="$XDG_CONFIG_HOME/Orvane/Orvane.ini"
# "&Imprimer", the pick at (X, Y), and the job's end: the number advanced
# to NEXT once the PDF file is closed.
print_with_pick() { # X Y NEXT NAME
  rm -f "$pdf"
  xdotool windowfocus --sync "$report"
  xdotool key --window "$report" alt+i
  wait_for 30 find_pick || fail "the pick surface did not cover the screen"
  sleep 0.5
  import -window root "$out/screen-pick-$4.png"
  xdotool mousemove "$1" "$2" click 1
  wait_for 60 grep -q "numrpt=$3" "$ini" || fail "the printout $4 did not end"
  wait_for 10 pdfinfo "$pdf" || fail "the PDF of printout $4 is not complete"
  mv "$pdf" "$out/$4.pdf"
}

# The description, then two printouts of the same capture.
xdotool windowfocus --sync "$report"
xdotool key --window "$report" Tab
xdotool type --delay 20 "The editor froze after F9."

checks=(python3 "$here/print_checks.py" check-printout)
code_args=()
for code in $codes; do code_args+=(--code "$code"); done

print_with_pick 300 200 42 first
"${checks[@]}" "$out/first.pdf" "$ini" "$out/first-last-page.png" 41 1024 768 --arrow 300,200 "${code_args[@]}"

# The second shows both arrows and the next number.
sleep 1
print_with_pick 700 500 43 second
"${checks[@]}" "$out/second.pdf" "$ini" "$out/second-last-page.png" 42 1024 768 --arrow 300,200 --arrow 700,500

echo "2 passed, 0 failed"

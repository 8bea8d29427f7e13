#!/usr/bin/env bash
# The E-mail command end to end, as a tester uses it: QXBêta runs on a demo
# installation under Xvfb, a screen-sized image goes onto the clipboard
# (xclip), the report dialog opens, and the tester (xdotool) presses E-mail
# twice: the first time through the notice (ticking "Ne plus afficher ce
# message") and a typed path, the second time straight to the save dialog's
# default name in the folder just chosen. Both archives are read back with
# `qxr show` and `qxr extract`.
#
# Usage: email_e2e.sh [OUTPUT_DIR]   (OUTPUT_DIR receives the archives, what
# qxr extracted and screenshots of each step). QX_BIN_DIR names the folder
# of qxbeta and qxr (default: build/bin of this tree). Exit 77: a tool is
# missing, the test is skipped.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=${QX_BIN_DIR:-$here/../../build/bin}
output=${1:-}

for tool in xvfb-run xdotool xclip import /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -x "$bin/qxbeta" ] && [ -x "$bin/qxr" ] || { echo "SKIP: $bin/qxbeta or $bin/qxr is not built"; exit 77; }

if [ -z "${QX_E2E_DISPLAY_READY:-}" ]; then
  export QX_E2E_DISPLAY_READY=1 QX_BIN_DIR=$bin
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qx-email-e2e-XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  shot failure || true
  if [ -n "$output" ]; then mkdir -p "$output" && cp "$work"/shots/*.png "$output"/; fi
  exit 1
}

shot() { import -window root "$work/shots/$1.png"; }

# shellcheck source=dialog_windows.sh
source "$here/dialog_windows.sh"
no_temp_files() { ! ls "$1"/QX*.TMP >/dev/null 2>&1; }
archive_done() { [ -s "$1" ] && no_temp_files "$(dirname "$1")" && ! notice_shown; }

# A home, configuration and runtime directory of its own: a copy of the
# program that someone else runs on this machine is not the one we talk to.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/config/Orvane" "$work/install" "$work/start" "$work/archives" \
  "$work/shots" "$work/extract"
chmod 700 "$XDG_RUNTIME_DIR"
touch "$work/install/orvane55.exe"
printf '[Orvane55]\r\nREPEXE=%s/\r\n[QXBETA]\r\nINFO=0\r\nINFOIMP=0\r\nEMALAUTO=0\r\nNom=Jean Dupont\r\nns=QX 12 34\r\n' \
  "$work/install" >"$work/config/Orvane/Orvane.ini"
ini=$work/config/Orvane/Orvane.ini

/usr/bin/python3 - "$work/capture.png" <<'EOF'
import sys
from PIL import Image, ImageDraw
im = Image.new("RGB", (1024, 768), (0, 128, 128))
d = ImageDraw.Draw(im)
d.rectangle([100, 100, 700, 450], fill=(255, 255, 255), outline=(0, 0, 0))
d.rectangle([101, 101, 699, 122], fill=(0, 0, 128))
d.text((110, 105), "Orvane 5.5 - Projet", fill=(255, 255, 255))
d.text((130, 160), "Erreur fatale : violation d'acces", fill=(200, 0, 0))
for y in range(200, 440, 14):
    d.line([130, y, 130 + (y * 7) % 500, y], fill=(60, 60, 60))
im.save(sys.argv[1])
EOF

cd "$work/start"
"$bin/qxbeta" >"$work/qxbeta.log" 2>&1 &
pids+=($!)
wait_for "the watcher window" xdotool search --name '^QXBêta$'

xclip -selection clipboard -t image/png -i "$work/capture.png" &
pids+=($!)
wait_for "the report dialog, opened" report_dialog_alone
shot 1-report-dialog

# First E-mail: notice (box ticked, OK), a typed path, a left click.
dialog=$(report_dialog)
xdotool windowfocus --sync "$dialog"
xdotool key Tab
xdotool type --delay 10 "Plantage a l'ouverture du projet"
xdotool key alt+e
wait_for "the e-mail notice" notice_shown
shot 2-mail-notice
xdotool key Tab space Return
wait_for "the save dialog" save_dialog_shown
shot 3-save-dialog
xdotool key ctrl+a
xdotool type --delay 10 "$work/archives/QX123401.QXR"
xdotool key Return
wait_for "the pick" pick_shown
shot 4-pick
xdotool mousemove 400 300 click 1
wait_for "the first archive" archive_done "$work/archives/QX123401.QXR"
shot 5-after-first

# Second E-mail: no notice now; the save dialog starts in the folder just
# chosen with the next number as its name; a right click cancels the pick.
wait_for "the report dialog again" report_dialog_alone
dialog=$(report_dialog)
xdotool windowfocus --sync "$dialog"
xdotool key alt+e
wait_for "the save dialog" save_dialog_shown
notice_shown && fail "the notice was shown although it was switched off"
shot 6-second-save-dialog
xdotool key Return
wait_for "the pick" pick_shown
xdotool mousemove 500 400 click 3
wait_for "the second archive" archive_done "$work/archives/QX123402.QXR"

# What the support team reads.
grep -qE $'^numrpt=3\r?$' "$ini" || fail "numrpt is not 3: $(grep numrpt "$ini" || echo none)"
grep -qE $'^INFOEMAL=0\r?$' "$ini" || fail "INFOEMAL was not switched off"
no_temp_files "$work/archives" || fail "a temporary QX file stayed behind"
no_temp_files "$work/start" || fail "a temporary QX file stayed in the start folder"

"$bin/qxr" show "$work/archives/QX123401.QXR" >"$work/show.txt" || fail "qxr show failed"
for expected in "Rapport Bêta Version à faxer au " "Nom     : Jean Dupont" "N°série : QX 12 34" \
                "Plantage a l'ouverture du projet" "DLL Orvane sur disque :"; do
  grep -qF "$expected" "$work/show.txt" || fail "qxr show lacks \"$expected\""
done
"$bin/qxr" extract "$work/archives/QX123402.QXR" "$work/extract" || fail "qxr extract failed"
cmp -s "$work/extract/report.txt" "$work/show.txt" || fail "the two archives hold different texts"

/usr/bin/python3 - "$work/capture.png" "$work/extract/screenshot.png" "$work/extract/screenshot.bmp" \
  "$work/archives/QX123401.QXR" <<'EOF' || fail "the archived screenshot differs from the clipboard image"
import sys
from PIL import Image
captured = Image.open(sys.argv[1]).convert("RGB")
for path in sys.argv[2:4]:
    got = Image.open(path).convert("RGB")
    assert got.size == captured.size and got.tobytes() == captured.tobytes(), path
archive = open(sys.argv[4], "rb").read()
assert archive[1:7] == b"-lh5-\0", "not a packed archive"
member = archive[15:284].split(b"\0")[0].decode("latin-1")
assert member.startswith("./QX") and member.endswith(".TMP") and len(member) == 12, member
EOF

if [ -n "$output" ]; then
  mkdir -p "$output"
  cp "$work"/archives/*.QXR "$work"/shots/*.png "$output"/
  cp "$work"/extract/* "$output"/
fi
echo "PASS: two archives made and read back${output:+ (in $output)}"

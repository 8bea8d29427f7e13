#!/usr/bin/env bash
# The E-mail command hands the archive to the tester's mail program, under
# Xvfb. A stand-in mailer (a script that records its arguments) is registered
# as the desktop's mailto handler the way a desktop does it: a .desktop file
# in XDG_DATA_HOME and its entry in XDG_CONFIG_HOME/mimeapps.list. xdg-email
# passes it one mailto: URL, which must name exactly the support address, the
# subject "Rapport Bêta <archive name>" and the archive. Then, with the
# registration removed, the message box says where the archive is and to
# whom it goes, and the archive stays.
#
# Usage: email_compose_e2e.sh   QX_BIN_DIR names the folder of qxbeta
# (default: build/bin of this tree). Exit 77: a tool is missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=${QX_BIN_DIR:-$here/../../build/bin}

for tool in xvfb-run xdotool xclip xdg-email /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -x "$bin/qxbeta" ] || { echo "SKIP: $bin/qxbeta is not built"; exit 77; }

if [ -z "${QX_E2E_DISPLAY_READY:-}" ]; then
  export QX_E2E_DISPLAY_READY=1 QX_BIN_DIR=$bin
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qx-compose-e2e-XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  tail -20 "$work/qxbeta.log" >&2 || true
  exit 1
}

# shellcheck source=dialog_windows.sh
source "$here/dialog_windows.sh"
message_box() { windows | awk '$2 < 500 && !/QXBêta - /' | head -1 | cut -d' ' -f1; }
message_shown() { [ -n "$(message_box)" ]; }
recorded() { [ -s "$work/mailer-args" ]; }

# No desktop of its own: xdg-email takes its generic path, which asks
# xdg-mime for the mailto handler.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION MAILER BROWSER
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/config/Orvane" "$work/data/applications" "$work/install" \
  "$work/start" "$work/archives"
chmod 700 "$XDG_RUNTIME_DIR"
touch "$work/install/orvane55.exe"
printf '[Orvane55]\r\nREPEXE=%s/\r\n[QXBETA]\r\nINFO=0\r\nINFOIMP=0\r\nINFOEMAL=0\r\nns=QX 12 34\r\n' \
  "$work/install" >"$work/config/Orvane/Orvane.ini"
ini=$work/config/Orvane/Orvane.ini

cat >"$work/mailer" <<MAILER
#!/bin/sh
for arg in "\$@"; do printf '%s\n' "\$arg"; done >"$work/mailer-args"
MAILER
chmod +x "$work/mailer"
printf '[Desktop Entry]\nType=Application\nName=Courrier de test\nExec=%s %%u\nMimeType=x-scheme-handler/mailto;\n' \
  "$work/mailer" >"$work/data/applications/qx-test-mailer.desktop"
printf '[Default Applications]\nx-scheme-handler/mailto=qx-test-mailer.desktop\n' >"$work/config/mimeapps.list"

/usr/bin/python3 -c "
from PIL import Image
Image.new('RGB', (1024, 768), (0, 128, 128)).save('$work/capture.png')"

cd "$work/start"
"$bin/qxbeta" >"$work/qxbeta.log" 2>&1 &
pids+=($!)
wait_for "the watcher window" xdotool search --name '^QXBêta$'
xclip -selection clipboard -t image/png -i "$work/capture.png" &
pids+=($!)
wait_for "the report dialog" report_dialog_alone

# E-mail: the save dialog's path typed, a click on the pick.
email() {
  local dialog
  dialog=$(report_dialog)
  xdotool windowfocus --sync "$dialog"
  xdotool key alt+e
  wait_for "the save dialog" save_dialog_shown
  xdotool key ctrl+a
  xdotool type --delay 10 "$1"
  xdotool key Return
  wait_for "the pick" pick_shown
  xdotool mousemove 400 300 click 1
}

archive=$work/archives/QX123401.QXR
email "$archive"
wait_for "the mail program" recorded
[ -s "$archive" ] || fail "no archive"
/usr/bin/python3 - "$work/mailer-args" "$archive" <<'PY' || fail "the mail program got $(cat "$work/mailer-args")"
import sys, urllib.parse
args = open(sys.argv[1], encoding="utf-8").read().splitlines()
assert len(args) == 1, args
url = urllib.parse.urlsplit(args[0])
assert url.scheme == "mailto" and url.path == "beta@orvane.fr", url
query = urllib.parse.parse_qs(url.query)
assert query == {"subject": ["Rapport Bêta QX123401.QXR"], "attach": [sys.argv[2]]}, query
PY
wait_for "the report dialog again" report_dialog_alone

# No mailer now: the message, and the archive kept.
rm "$work/config/mimeapps.list" "$work/data/applications/qx-test-mailer.desktop" "$work/mailer-args"
archive=$work/archives/QX123402.QXR
email "$archive"
wait_for "the message box" message_shown
box=$(message_box)
[ -s "$archive" ] || fail "the archive was not kept"
recorded && fail "a mail program ran although none is registered"
grep -qE $'^numrpt=3\r?$' "$ini" || fail "numrpt is not 3: $(grep numrpt "$ini" || echo none)"
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for "the report dialog after the message" report_dialog_alone
echo "PASS: the archive reached the mail program; without one, the message and the kept archive"

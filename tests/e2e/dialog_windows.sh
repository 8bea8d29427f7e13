# Helpers of the desktop scripts under Xvfb: waiting, and the windows of
# QXBêta found by their size and caption. Sourced; the script defines fail().

# Waits up to 20 seconds for a command to succeed.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 1 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "timed out waiting for $what"
}

# Visible windows as "id width height name", one a line (the pick surface
# has no name).
windows() {
  xdotool search --onlyvisible --name '^' 2>/dev/null | while read -r w; do
    local geometry
    geometry=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
    echo "$w $geometry $(xdotool getwindowname "$w")"
  done
}

# The program's dialogs are all captioned "QXBêta - ..."; the report dialog
# is the wide one, the notices, progress and busy windows are narrower.
report_dialog() { windows | awk '$2 > 500 && /QXBêta - /' | head -1 | cut -d' ' -f1; }
report_dialog_alone() { [ -n "$(report_dialog)" ] && [ "$(windows | grep -c 'QXBêta - ')" -eq 1 ]; }
notice_shown() { windows | awk '$2 < 500 && /QXBêta - /' | grep -q .; }
save_dialog_shown() { windows | awk 'NF > 3 && !/QXBêta/' | grep -q .; }
pick_shown() { windows | awk '$2 == 1024 && $3 == 768' | grep -q .; }

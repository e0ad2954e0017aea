#!/usr/bin/env bash
# Fails when a file includes a header of a higher floor. The floors, lowest
# first: base; forms and engine, beside each other; registration; the two
# programs, wizard and uninstaller, beside each other. Folders beside each
# other never include one another. A portable/ folder belongs to its own
# floor and builds natively, so it includes only portable/ headers. The
# string identifiers in resources/ are data every floor may read.
#
#   scripts/check-floors.sh [ROOT]    # ROOT: the tree to check (default: this one)
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2

grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' base forms engine registration wizard uninstaller \
     --include='*.h' --include='*.cpp' |
awk '
BEGIN {
  floor["base"] = 0; floor["forms"] = 1; floor["engine"] = 1
  floor["registration"] = 2; floor["wizard"] = 3; floor["uninstaller"] = 3
}
{
  split($0, part, ":"); file = part[1]; line = part[2]
  match($0, /"[^"]*"/); header = substr($0, RSTART + 1, RLENGTH - 2)
  from = file; sub(/\/.*/, "", from)
  to = header; sub(/\/.*/, "", to)
  if (!(to in floor)) next
  reason = ""
  if (file ~ /\/portable\// && header !~ /\/portable\//)
    reason = "portable code includes a Windows-side header"
  else if (floor[to] > floor[from])
    reason = from " includes a higher floor (" to ")"
  else if (floor[to] == floor[from] && to != from)
    reason = from " and " to " stand beside each other"
  if (reason != "") { printf "%s:%s: includes \"%s\": %s\n", file, line, header, reason; faults++ }
}
END {
  if (faults > 0) { printf "check-floors: %d include(s) break the floors\n", faults > "/dev/stderr"; exit 1 }
  print "check-floors: every include stays on its floor or below"
}'

#!/usr/bin/env bash
# The program as a user starts it: a folder made by leafletadmin with the sample catalogue, the
# real binary started in it. It must open and paint its main window and end cleanly, and find
# Qt's Japanese texts and its icon on the way.
#   program_starts.sh LEAFLETDESK LEAFLETADMIN CATALOGUE
set -euo pipefail
program=$1 admin=$2 catalogue=$3
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$admin" init "$folder" >/dev/null
"$admin" load-catalogue "$folder" "$catalogue" >/dev/null
# An empty settings file is valid; without one the program would stop to say it makes one.
: >"$folder/コンフィグ/Userfile.e"
cd "$folder"
QT_QPA_PLATFORM=offscreen timeout 60 "$program" --quit-when-shown 2>"$folder/stderr" || {
  echo "leafletdesk did not start and end cleanly (exit $?)"; cat "$folder/stderr"; exit 1; }
if grep -q "missing" "$folder/stderr"; then
  echo "leafletdesk misses a part it needs:"; cat "$folder/stderr"; exit 1
fi

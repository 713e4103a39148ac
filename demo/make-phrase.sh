#!/usr/bin/env bash
# Turns a phrase text (by default demo/phrase.txt) into a Standard MIDI File through
# csvmidi's text form: make-phrase.sh OUTPUT.mid [PHRASE.txt]
# Format 1, 480 ticks per beat: track 1 holds the tempo changes, track 2 the notes and
# controllers on channel 1.
set -euo pipefail
export LC_ALL=C  # byte order for sort, whatever the locale
output=${1:?usage: make-phrase.sh OUTPUT.mid [PHRASE.txt]}
phrase=${2:-$(dirname "$0")/phrase.txt}
csv=$(mktemp)
trap 'rm -f "$csv" "$csv.tempo" "$csv.notes"' EXIT

awk -v tempoFile="$csv.tempo" -v notesFile="$csv.notes" '
  function fail(message) { printf "%s:%d: %s\n", FILENAME, FNR, message > "/dev/stderr"; bad = 1; exit 1 }
  function tick(beat) { return int(beat * 480 + 0.5) }
  function pitch(name,    letter, rest, n, octave) {
    if (name ~ /^[0-9]+$/) return name + 0
    letter = substr(name, 1, 1); rest = substr(name, 2)
    n = index("C D EF G A B", letter) - 1
    if (n < 0 || letter == " ") fail("unknown pitch " name)
    if (substr(rest, 1, 1) == "#") { n++; rest = substr(rest, 2) }
    else if (substr(rest, 1, 1) == "b") { n--; rest = substr(rest, 2) }
    if (rest !~ /^-?[0-9]$/) fail("unknown pitch " name)
    n += 12 * (rest + 1)
    if (n < 0 || n > 127) fail("pitch out of range: " name)
    return n
  }
  function emit(at, text) { printf "%09d %06d 2, %d, %s\n", at, ++order, at, text > notesFile }
  function controller(kind, number, value, at) {
    if (kind == "bend") emit(at, "Pitch_bend_c, 0, " int(value) + 8192)
    else emit(at, "Control_c, 0, " number ", " int(value))
  }
  /^[ \t]*(#|$)/ { next }
  $1 == "tempo" { printf "1, %d, Tempo, %d\n", tick($2), int(60000000 / $3 + 0.5) > tempoFile; next }
  $1 == "note"  { p = pitch($4); emit(tick($2), "Note_on_c, 0, " p ", " $5)
                  emit(tick($2 + $3), "Note_off_c, 0, " p ", 0"); next }
  $1 == "cc"    { controller("cc", $3, $4, tick($2)); next }
  $1 == "bend"  { controller("bend", 0, $3, tick($2)); next }
  $1 == "ramp"  {
    kind = $4; shift = kind == "bend" ? 0 : 1
    first = $(5 + shift); last = $(6 + shift)
    steps = int(($3 - $2) * 16 + 0.5); if (steps < 1) steps = 1
    for (i = 0; i <= steps; i++)
      controller(kind, $5, first + (last - first) * i / steps, tick($2 + ($3 - $2) * i / steps))
    next
  }
  { fail("cannot read: " $0) }
' "$phrase"

{
  echo "0, 0, Header, 1, 2, 480"
  echo "1, 0, Start_track"
  sort -t, -k2,2n -s "$csv.tempo"
  echo "1, $(sort -t, -k2,2n "$csv.tempo" | tail -1 | cut -d, -f2 | tr -d ' '), End_track"
  echo "2, 0, Start_track"
  sort "$csv.notes" | cut -c18-
  echo "2, $(sort "$csv.notes" | tail -1 | cut -c1-9 | sed 's/^0*//;s/^$/0/'), End_track"
  echo "0, 0, End_of_file"
} > "$csv"
csvmidi -z "$csv" "$output"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server: switch to a Small board with 2 kinds through
# Game > Options, play a whole game from screenshots to its end, let the tally
# count, enter a name for the high score while another game holds the score
# file's lock for its own save, close the table, and find the score file
# written byte for byte with both entries. A game that ends at 0 or below
# earns no entry and writes nothing; then another game is played. With "keys" the games are
# played with the keyboard alone: the arrows walk the cursor, whose frame is
# read off the screen, and Space and Return take turns to play; the first move
# is the hint's: H puts the cursor on the group it chose, and Space plays it.
# With "de" after it the game speaks German: its windows are found by their
# German titles, Qt's own Nein and Ja answer the questions, and the player
# types a name in Cyrillic and Latin letters of which the score file keeps
# the latter exactly, refusing the rest.
#
# usage: e2e_whole_game.sh KAROBLEN_BINARY BOARD_PROBE [mouse|keys] [de]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2" python3 od cmp flock xmodmap
mode=${3:-mouse}
columns=10
rows=7
player=Tester typed=Tester name_bytes="54 65 73 74 65 72 00 00 00 00 00 00 00 00 00 00 00 00"
options_title='^Karoblen Options$' table_title='^Karoblen High Scores$' yes=Return exit_keys=(alt+f x)
if [ "${4:-}" = de ]; then
  export LANGUAGE=de LANG=C.UTF-8
  unset LC_ALL LC_MESSAGES
  # "Иван" cannot be kept in the score file; "Jörg" can, as Latin-1 bytes.
  player=Jörg typed="ИванJörg" name_bytes="4a f6 72 67 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
  options_title='^Karoblen-Optionen$' table_title='^Karoblen-Bestenliste$' yes=j exit_keys=(alt+d e)
fi

start_xvfb
# Letters the server's keyboard lacks are typed by binding a spare key for a
# moment; a busy game reads the key only after the binding is gone, and
# loses the letter. Bound for good, they are typed as any other.
if [ "${4:-}" = de ]; then
  for keysym in Cyrillic_I Cyrillic_ve Cyrillic_a Cyrillic_en odiaeresis; do
    xmodmap -e "keycode any = $keysym"
  done
fi
start_game
locate_board medium
medium_x=$board_x medium_y=$board_y

# Qt's own No (Nein in German, by its access key N either way) keeps the game.
focus_window "$window"
xdotool key ctrl+n
question=$(wait_for_window '^Karoblen$' 50 "$window") || fail "Ctrl+N asked no question"
focus_window "$question"
xdotool key n
wait_gone "$question" 50 || fail "N did not answer No to the new-game question"
wait_for_board "$work/medium.grid" || fail "No to a new game changed the board"

switch_to_small_two_kinds "$options_title" "$yes"

# The new board keeps its centre in the unchanged view: from 10 x 7 to 6 x 5
# the origin moves by half the lost width and height, 80 and 40 pixels.
columns=6
rows=5
locate_board small
[ "$board_x $board_y" = "$((medium_x + 80)) $((medium_y + 40))" ] ||
  fail "the Small board is at $board_x $board_y, not centred where the Medium one was ($medium_x $medium_y)"

# Grid $1 shown on the screen, except for cells whose centre lies under the
# window with id $2 (the tally dialog, which may cover the final board).
board_shown_around() {
  local expected=$1 cover=$2 X Y WIDTH HEIGHT SCREEN r c cx cy
  eval "$(xdotool getwindowgeometry --shell "$cover")"
  shot final
  read_board final >"$work/last.grid"
  mapfile -t want <"$expected"
  mapfile -t seen <"$work/last.grid"
  for ((r = 0; r < rows; r++)); do
    for ((c = 0; c < columns; c++)); do
      cx=$((board_x + 40 * c + 20)) cy=$((board_y + 40 * r + 20))
      if ((cx >= X && cx < X + WIDTH && cy >= Y && cy < Y + HEIGHT)); then continue; fi
      [ "${seen[r]:c:1}" = "${want[r]:c:1}" ] || return 1
    done
  done
}

# Plays cell $1 $2 with the mouse, or in keys mode with the cursor and, by
# turns ($3 odd or even), Space or Return.
play_cell() {
  if [ "$mode" != keys ]; then
    click_cell "$1" "$2"
    return
  fi
  walk_cursor "$1" "$2"
  if (($3 % 2)); then xdotool key space; else xdotool key Return; fi
}

# Plays the board in $work/$1.grid to its end, largest group first, checking
# every settled board; sets final_score to what the tally must arrive at.
play_to_the_end() {
  local current="$work/$1.grid" next="$work/next.grid" move column row size points=0 moves=0 left
  if grep -q '[^01]' <(tr -d '\n' <"$current"); then fail "a board of 2 kinds shows other tiles"; fi
  cp "$current" "$next"
  [ "$mode" != keys ] || focus_window "$window"
  if ! "$probe" largest "$current" >/dev/null; then
    # A deal without any move ends at the first click anywhere on the board.
    play_cell 0 0 0
  fi
  local hinted=0
  ((game_count > 1)) || [ "$mode" != keys ] || hinted=1
  while move=$("$probe" largest "$current"); do
    read -r column row size <<<"$move"
    if ((hinted)); then
      hinted=0
      xdotool key h
      # The search runs off the window's thread; its answer moves the cursor.
      wait_for 50 cursor_cell || fail "H put no cursor on the board"
      read -r column row <<<"$(cursor_cell)"
      size=$("$probe" group "$current" "$column" "$row")
      ((size >= 2)) || fail "the hint's cell $column $row is in no group of two or more"
      echo "the hint chose column $column, row $row, a group of $size"
    fi
    "$probe" after "$current" "$column" "$row" >"$next"
    points=$((points + (size - 2) * (size - 2)))
    moves=$((moves + 1))
    play_cell "$column" "$row" "$moves"
    # After the last move the tally comes up over the board; it is checked there.
    "$probe" largest "$next" >/dev/null || break
    if ! wait_for_board "$next"; then
      echo "expected after clicking column $column, row $row (a group of $size):" >&2
      cat "$next" >&2
      fail "the board did not settle as the rules say"
    fi
    cp "$next" "$current"
  done
  left=$(tr -cd '0-4' <"$next" | wc -c)
  final_score=$((points - left + (left == 0 ? 1000 : 0)))
  echo "game $game_count: $moves moves, $points points, $left tiles left, final score $final_score"

  local i shown_at closed_after
  tally=$(wait_for_window '' 100 "$window") || fail "no game-over tally after the last move"
  shown_at=$(date +%s%N)
  for ((i = 0; i < 20; i++)); do board_shown_around "$next" "$tally" && break; sleep 0.1; done
  ((i < 20)) || { cat "$next" >&2; fail "the last move did not leave the board predicted above"; }
  # The tally reveals its rows, counts on a 110 ms timer and closes by itself:
  # with points scored that is 35 to 64 ticks, about 4 to 7 s.
  wait_gone "$tally" 150 || fail "the tally did not close by itself within 15 s"
  closed_after=$((($(date +%s%N) - shown_at) / 1000000))
  echo "the tally closed after $closed_after ms"
  if ((points > 0 && closed_after < 3500)); then fail "the tally closed after $closed_after ms, before it could count"; fi
}

game_count=0
final_score=0
grid=small
while ((final_score <= 0)); do
  game_count=$((game_count + 1))
  ((game_count <= 4)) || fail "four games in a row ended at 0 or below"
  if ((game_count > 1)); then locate_board "game$game_count"; grid="game$game_count"; fi
  play_to_the_end "$grid"
  if ((final_score > 0)); then
    prompt=$(wait_for_window '^Karoblen$' 50 "$window") || fail "a final score of $final_score asked for no name"
    # Another game saves meanwhile, slowly, holding the lock: this save waits
    # for it and keeps its entry.
    write_score_file "$work/other.scr" "110:Other:5"
    (
      exec 9<>"$work/Karoblen.scr"
      flock -x 9
      touch "$work/locked"
      sleep 2
      dd if="$work/other.scr" of="$work/Karoblen.scr" conv=notrunc status=none
    ) &
    holder=$!
    for ((i = 0; i < 50; i++)); do [ -e "$work/locked" ] && break; sleep 0.1; done
    focus_window "$prompt"
    xdotool type --delay 30 "$typed"
    xdotool key Return
    wait_gone "$prompt" 50 || fail "Enter did not close the name prompt"
    saved_at=$(date +%s%N)
  else
    sleep 0.5
    [ -z "$(windows_named '^Karoblen$' | grep -vx "$window")" ] ||
      fail "a final score of $final_score opened a window besides the table"
  fi
  table=$(wait_for_window "$table_title" 100) || fail "no high-score table after the game"
  if ((final_score > 0)); then
    wait "$holder" || fail "the other game could not save"
    waited=$((($(date +%s%N) - saved_at) / 1000000))
    echo "the save waited $waited ms for the other game's lock"
  fi
  if ((final_score <= 0)) && [ -e "$work/Karoblen.scr" ]; then
    fail "a final score of $final_score wrote the score file"
  fi
  focus_window "$table"
  xdotool key Return
  wait_gone "$table" 50 || fail "Enter did not close the high-score table"
  park_pointer
done

# A new game follows at once, on a fully dealt board of the same size.
locate_board after
if grep -q '[.?]' "$work/after.grid"; then fail "no fresh board after the game"; fi

# 2 kinds on Small is table 0, so the entry is record 0 at offset 0; every
# other record stays blank.
write_score_file "$work/expected.scr" "0:$player:$final_score" "110:Other:5"
[ -f "$work/Karoblen.scr" ] || fail "no Karoblen.scr after a high score"
size=$(stat -c %s "$work/Karoblen.scr")
[ "$size" -eq 2640 ] || fail "Karoblen.scr has $size bytes, not 2640"
# The name, zero bytes up to 17 and the zero separator, pinned as bytes.
name_field=$(head -c 18 "$work/Karoblen.scr" | od -An -v -tx1 | tr -s ' \n' ' ')
[ "$name_field" = " $name_bytes " ] ||
  fail "record 0 does not start with the name, its zero fill and the separator: $name_field"
if ! cmp "$work/expected.scr" "$work/Karoblen.scr"; then
  cmp -l "$work/expected.scr" "$work/Karoblen.scr" | head -n 20 >&2 || true
  fail "Karoblen.scr is not the blank file with $player, $final_score in record 0 and the other game's entry"
fi

exit_through_menu "${exit_keys[@]}"
echo "PASS: ${4:-en}: No kept the game, options to Small/2, $game_count game(s) played to the end with the $mode, tally, name $player, table, score file with $final_score and the entry another game saved meanwhile"

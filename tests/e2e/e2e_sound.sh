#!/usr/bin/env bash
# End to end on a real sound server: a private PulseAudio daemon with a null
# sink, its monitor recorded while the game plays a move with several settling
# steps, an undo, and the last move of a game with its tally. sound_probe finds
# every sound in the recordings and checks its onset against the move's
# timeline and that it is heard whole, or up to the sound that cuts it off.
#
# usage: e2e_sound.sh KAROBLEN_BINARY BOARD_PROBE SOUND_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

sound_probe=$(readlink -f "$3")
e2e_begin "$1" "$2" pulseaudio parec pacat pactl
columns=10
rows=7
rate=44100

# The server, its clients and the game find each other only through this
# directory; nothing reaches a sound server of the machine's own, and nothing
# is written to the tester's home.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
export PULSE_SERVER="unix:$work/run/pulse/native"
mkdir -p "$HOME" "$PULSE_RUNTIME_PATH"
chmod 700 "$XDG_RUNTIME_DIR"
# Root is warned, not refused, when it runs a per-user server, which is all a
# test needs; anonymous clients spare a cookie file. The sink's monitor
# delivers nothing while no stream plays, which would squeeze the quiet
# between sounds out of a recording, so a stream of silence keeps it running.
# The sink does not rewind: one that does holds its monitor's output back by
# as much as it might rewind, and a recorder that stops loses that part.
server_pid=""
start_server() {
  pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 --disallow-exit \
    --realtime=yes --high-priority=yes --log-target=stderr \
    -L "module-null-sink sink_name=out rate=$rate norewinds=1" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$PULSE_RUNTIME_PATH/native" \
    >>"$work/pulseaudio.log" 2>&1 &
  server_pid=$!
  helper_pids+=("$server_pid")
  if ! wait_for 100 pactl info; then
    echo "SKIP: the PulseAudio server did not start:" >&2
    tail -n 5 "$work/pulseaudio.log" >&2
    exit 77
  fi
  pacat --playback --raw --format=s16le --channels=1 --rate=$rate --latency-msec=100 </dev/zero &
  helper_pids+=($!)
}
# Gone at once, as a crash would take it; its clients lose it with it.
kill_server() {
  kill -KILL "$server_pid"
  wait "$server_pid" 2>/dev/null || true
}

recorder=""
is_recording() { pactl list short source-outputs | grep -q .; }
start_recording() {  # start_recording NAME: the sink's output into NAME.raw
  parec --device=out.monitor --format=s16le --channels=1 --rate=$rate --latency-msec=100 \
    --raw "$work/$1.raw" 2>"$work/parec.log" &
  recorder=$!
  helper_pids+=("$recorder")
  wait_for 50 is_recording ||
    fail "parec did not start recording: $(cat "$work/parec.log")"
  sleep 0.3
}
# The recorder gets the sink's output in parts of 100 ms; what it holds when
# it is stopped is lost, so it runs on a while after the last sound.
stop_recording() {
  sleep 0.6
  kill -INT "$recorder"
  wait "$recorder" || true
}

# The events of a move: the removal, a drop at each settling step 100 ms
# after the sound before, and the closing of columns 100 ms after the last.
move_events() {  # move_events STEPS CLOSES
  local i events="140@?"
  for ((i = 0; i < $1; i++)); do events+=" 139@100"; done
  [ "$2" = 1 ] && events+=" 141@100"
  echo "$events"
}

# A build with the address and undefined-behaviour sanitizers runs the game
# several times slower, so its pauses and repaints, and with them the sounds,
# keep no timeline. There the test plays everything all the same, for the
# sanitizers to watch the sound path against a real server, and what they
# find fails it through the game's output; the timing is left unchecked.
sanitized=""
if [ -n "${ASAN_OPTIONS:-}${UBSAN_OPTIONS:-}" ]; then sanitized=1; fi

sounds_as_expected() {  # sounds_as_expected NAME EVENT...
  local name=$1
  shift
  echo "$name: $*"
  if [ -n "$sanitized" ]; then
    echo "$name: a sanitized build keeps no timeline; not compared"
    return 0
  fi
  "$sound_probe" "$work/$name.raw" "$rate" "$@"
}
check_sounds() {  # check_sounds NAME EVENT...
  sounds_as_expected "$@" || fail "the sounds of $1 are not as they should be"
}

# The game starts before the server, as on a desktop whose sound comes up
# late, and plays a first move without it.
start_xvfb
start_game
locate_board medium
switch_to_small_two_kinds
columns=6
rows=5
locate_board small

# Plays the group board_probe $1 chooses (smallest, largest) on the board
# in grid file $2 and waits for the board the rules predict; the new board
# goes to $2, its score is added to points. Fails if the move ends the game.
points=0
play_move() {
  local move column row size
  move=$("$probe" "$1" "$2") || fail "no move left on the board"
  read -r column row size <<<"$move"
  size=${size:-2}
  points=$((points + (size - 2) * (size - 2)))
  "$probe" after "$2" "$column" "$row" >"$work/next.grid"
  "$probe" largest "$work/next.grid" >/dev/null || fail "this deal ends too soon for the test"
  click_cell "$column" "$row"
  wait_for_board "$work/next.grid" || fail "the board did not settle as the rules say"
  cp "$work/next.grid" "$2"
}

# Two kinds make short games, and some deals are too short for what follows:
# two quiet moves, then a move that leaves another. Such a deal is replaced
# by a new game (Ctrl+N, and Enter for Yes).
deal_will_do() {
  local grid=$1 i move
  cp "$grid" "$work/plan.grid"
  for i in 1 2; do
    move=$("$probe" smallest "$work/plan.grid") || return 1
    read -r column row size <<<"$move"
    "$probe" after "$work/plan.grid" "$column" "$row" >"$work/plan.next"
    mv "$work/plan.next" "$work/plan.grid"
  done
  "$probe" busiest "$work/plan.grid" >/dev/null
}
deals=1
while ! deal_will_do "$work/small.grid"; do
  deals=$((deals + 1))
  ((deals <= 10)) || fail "ten deals in a row too short for the test"
  focus_window "$window"
  xdotool key ctrl+n
  question=$(wait_for_window '^Karoblen$' 50 "$window") || fail "Ctrl+N asked nothing"
  focus_window "$question"
  xdotool key Return
  wait_gone "$question" 50 || fail "Enter did not answer the New Game question"
  park_pointer
  locate_board small
done

current="$work/board.grid"
cp "$work/small.grid" "$current"
play_move smallest "$current"
# The server comes up; the next move finds it.
start_server
play_move smallest "$current"

# The move with the most settling steps, recorded with the undo after it.
# The timeline includes the game's own pauses and repaints, which a machine
# busy with other work can delay; a second try follows a failed first one,
# and a sound path that is late or cuts sounds short fails both.
move=$("$probe" busiest "$current") || fail "no move on the board leaves another"
read -r column row steps closes <<<"$move"
"$probe" after "$current" "$column" "$row" >"$work/next.grid"
move_steps=$steps
for try in 1 2; do
  start_recording move
  click_cell "$column" "$row"
  wait_for_board "$work/next.grid" || fail "the move did not settle as the rules say"
  sleep 0.5
  focus_window "$window"
  xdotool key ctrl+z
  wait_for_board "$current" || fail "Undo did not restore the board"
  stop_recording
  park_pointer
  # shellcheck disable=SC2046
  sounds_as_expected move $(move_events "$steps" "$closes") "146@?" && break
  ((try == 1)) || fail "the sounds of the move are not as they should be, twice"
  echo "trying the move once more"
done

# Largest group first to the last move, which is recorded with the tally.
while move=$("$probe" largest "$current"); do
  read -r column row size <<<"$move"
  "$probe" after "$current" "$column" "$row" >"$work/next.grid"
  points=$((points + (size - 2) * (size - 2)))
  "$probe" largest "$work/next.grid" >/dev/null || break
  click_cell "$column" "$row"
  wait_for_board "$work/next.grid" || fail "the board did not settle as the rules say"
  cp "$work/next.grid" "$current"
done
read -r steps closes <<<"$("$probe" settling "$current" "$column" "$row")"
left=$(tr -cd '0-4' <"$work/next.grid" | wc -c)
start_recording tally
click_cell "$column" "$row"
tally=$(wait_for_window '' 100 "$window") || fail "no game-over tally after the last move"
wait_gone "$tally" 150 || fail "the tally did not close by itself within 15 s"
stop_recording

# The tally: the score moves first, and 5 ticks of 110 ms later the tiles
# left, or the bonus of an empty board, count down one step a tick.
events=$(move_events "$steps" "$closes")
next="?"
if ((points > 0)); then events+=" 144@?"; next=550; fi
counted=$((left > 0 ? left : 10))
for ((i = 0; i < counted; i++)); do events+=" 144@$next"; next=110; done
# shellcheck disable=SC2086
check_sounds tally $events

# The server goes away while the game asks for a name and shows the table;
# the game plays on without it.
kill_server
final_score=$((points - left + (left == 0 ? 1000 : 0)))
if ((final_score > 0)); then
  prompt=$(wait_for_window '^Karoblen$' 50 "$window") || fail "a final score of $final_score asked for no name"
  focus_window "$prompt"
  xdotool key Return
  wait_gone "$prompt" 50 || fail "Enter did not close the name prompt"
fi
table=$(wait_for_window '^Karoblen High Scores$' 50) || fail "no high-score table after the game"
focus_window "$table"
xdotool key Return
wait_gone "$table" 50 || fail "Enter did not close the high-score table"
park_pointer
locate_board after
play_move smallest "$work/after.grid"

# Without a server, and with one that went away, the game kept quiet, and
# it ends cleanly with its sound thread.
exit_through_menu
[ -s "$work/game.log" ] && fail "the game printed messages: $(cat "$work/game.log")"
echo "PASS: a move of $move_steps settling steps, an undo, and a last move with its tally, all heard whole and on time; the server found late and lost early"

# Sourced by the scripts that run an LV2 host on a JACK dummy server of their own: the server
# under a name of its own (so parallel runs and other JACK users never meet), the processes
# started with `started`, and their stop on exit. Expects $work to exist.
export JACK_DEFAULT_SERVER=brisalonde-$$ JACK_NO_AUDIO_RESERVATION=1
pids=()
started() { pids+=($!); }
# The clients go first, newest first, then the server: a JACK client whose server has gone may
# hang in its own shutdown, so whatever has not ended after two seconds is killed.
stop_jack_session() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p=${pids[i]}
    kill "$p" 2> /dev/null || continue
    for _ in $(seq 20); do kill -0 "$p" 2> /dev/null || break; sleep 0.1; done
    kill -KILL "$p" 2> /dev/null || true
  done
  wait 2> /dev/null || true
}
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
  exit 1
}
# Up to ten seconds for a condition.
await() {
  for _ in $(seq 100); do "$@" > /dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
start_jack() {
  jackd --no-realtime -d dummy -r 48000 -p 512 > "$work/jackd.log" 2>&1 &
  started
  await jack_lsp || fail "the JACK dummy server did not start"
}

# Shared by the window benchmarks: polling with a deadline, and stopping a
# process together with its children (runuser's, when run as root).

# Polls a command until it succeeds, for at most $1 seconds.
wait_until() {
  local limit=$1; shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.01
  done
}

stop_tree() { [ -n "$1" ] || return 0; pkill -P "$1" 2>/dev/null || true; kill "$1" 2>/dev/null || true; }

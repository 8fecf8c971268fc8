# What the CPU benchmarks measure with; sourced by bench-cpu.sh, profile-cpu.sh
# and bench-wayland.sh.

# Nanoseconds on a CPU, all threads of the process together.
cpu_ns() {
  local sum=0 t
  for t in /proc/"$1"/task/*/schedstat; do
    read -r ns _ < "$t" 2>/dev/null || continue
    sum=$((sum + ns))
  done
  echo "$sum"
}
percent() { awk -v c="$1" -v w="$2" 'BEGIN { printf "%.2f", 100 * c / w }'; }
median() { tr ' ' '\n' | sort -g | awk 'NF { v[++n] = $1 } END { print v[int((n + 1) / 2)] }'; }

# A scratch folder in $work, removed with every process in $pids at exit.
use_scratch() {
  work=$(mktemp -d)
  pids=()
  trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"' EXIT
}

# A private copy of $build's program in DIR, a private Xvfb showing $driver's
# busy picture, and the program on it, settled; sets server, app and DISPLAY.
start_on_own_x() { # dir
  local dir=$1 d
  mkdir -p "$dir/app" "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  cp "$build/huebird-lite" "$dir/app/"
  for d in language help palettes; do cp -r "$build/$d" "$dir/app/"; done
  touch "$dir/app/portable"
  # BENCH_SETTINGS names a settings file to run with (a simulation, a sample size).
  if [ -n "${BENCH_SETTINGS:-}" ]; then cp "$BENCH_SETTINGS" "$dir/app/HuebirdLite.ini"; fi

  exec 5> "$dir/display"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp > "$dir/xvfb.log" 2>&1 &
  server=$!; pids+=("$server")
  for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$dir/display")
  "$driver" background

  HOME=$dir/home XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/home/.config \
    QT_QPA_PLATFORM=xcb "$dir/app/huebird-lite" > "$dir/app.log" 2>&1 &
  app=$!; pids+=("$app")
  xdotool search --sync --onlyvisible --pid "$app" > /dev/null
  sleep 2 # let start-up work settle
}

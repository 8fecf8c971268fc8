# What the CPU benchmarks measure with; sourced by bench-cpu.sh and bench-wayland.sh.

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

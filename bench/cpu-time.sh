# Sourced by the idle benchmarks. cpu_ns PID: the CPU time a process used, in
# ns. Its live threads' time comes from the scheduler's statistics, exact to
# the ns: an idle saver uses less than the 10 ms clock tick of /proc/PID/stat
# in seconds, which that resolution would read as nothing. Threads that have
# ended (a start-up check, say) count with the ticks they left behind.
cpu_ns() {
  if [ -z "${1:-}" ] || [ ! -d "/proc/$1" ]; then echo 0; return; fi
  awk -v hz="$(getconf CLK_TCK)" -v process="/proc/$1/stat" '
    FILENAME ~ /schedstat$/ { live += $1; next }
    { sub(/^.*\) /, ""); ticks = $12 + $13 } # after the name, which may hold blanks
    FILENAME == process { total = ticks; next }
    { threads += ticks }
    END { ended = total > threads ? total - threads : 0; printf "%.0f\n", live + ended * 1e9 / hz }
  ' "/proc/$1/stat" /proc/"$1"/task/*/stat /proc/"$1"/task/*/schedstat 2>/dev/null
}

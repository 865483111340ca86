#!/usr/bin/env bash
# How fast the Windows program scans, selects all and modifies, under Wine, against floor programs that do only the
# same file work with plain Windows calls (bench/floor/win32_floor.cpp). Run as `scripts/bench --windows`.
# Installations of 1,000 and 3,000 FS2004 aircraft (half of them modified already) and an empty one are generated
# inside a throw-away 32-bit Wine prefix's C: drive; vantrel.exe is started on a fresh copy for every run, and the
# probe (bench/win32/Responsiveness.cpp) presses its buttons and times the window's thread with WM_NULL messages.
#   scripts/bench --windows [--runs N] [--work DIR] [--keep] [--display :N] [--program EXE]
# --runs N      timed runs per figure after one warm-up run (default 5); medians are reported
# --work DIR    where the scratch Wine prefix goes (default: a new temporary folder under /tmp); about 200 MB
# --keep        leave the prefix and its installations in place
# --display :N  the X display number for the Xvfb started here (default: a free one)
# --program EXE measure this vantrel.exe instead of the one built here
# The program and its floor run in turn within every round, so that both meet the same load on a shared machine.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/windows-bench.sh"

runs=5
work=""
keep=0
display=""
program=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --work) work="$2"; shift 2 ;;
        --keep) keep=1; shift ;;
        --display) display="$2"; shift 2 ;;
        --program) program=$(realpath "$2"); shift 2 ;;
        *) sed -n '6,12p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
    esac
done
case "$runs" in '' | *[!0-9]* | 0) echo "--runs needs a whole number above 0" >&2; exit 2 ;; esac

ensure_wine32 "${BUILD_PACKAGES[@]}" g++-mingw-w64-i686-posix binutils-mingw-w64-i686 xvfb xauth xdotool bc

build_windows_bench vantrel vantrel_responsiveness vantrel_floor
exe="${program:-$winbuild/ui/win32/vantrel.exe}"
probe="$winbuild/bench/win32/vantrel_responsiveness.exe"
floor="$winbuild/bench/win32/vantrel_floor.exe"

[ -n "$work" ] && export TMPDIR="$work" && mkdir -p "$work"
cleanup() {
    if [ "$keep" -eq 1 ]; then
        wineserver -k >/dev/null 2>&1 || true
        log "kept: $WINE_SCRATCH"
    else
        wine_scratch_remove
    fi
    stop_xvfb
}
trap cleanup EXIT

start_bench_wine "$display"

# The installations, on C: as on a Windows machine.
drive="$WINEPREFIX/drive_c"
mkdir -p "$drive/bench"
for n in 1000 3000; do
    log "generating $n aircraft"
    "$generate" --root "$drive/bench/fs$n" --aircraft "$n" --seed 11 --modified-share 0.5 --small-files >&2
done
mkdir -p "$drive/bench/fs0/Aircraft"
printf 'MZ' >"$drive/bench/fs0/fs9.exe"

# fresh N: a fresh copy of installation N at C:\run, with the settings file that opens its aircraft folder; written
# out to disk before the run, so that one run's flushes do not pay for the copy.
fresh() {
    rm -rf "$drive/run"
    cp -a "$drive/bench/fs$1" "$drive/run"
    printf '3\r\nc:\r\nC:\\run\\Aircraft\r\n' >"$drive/run/Vantrel.ini"
    sync
}

# run_probe MODE N: the program on a fresh copy of installation N; prints the probe's key=value lines. The probe
# asks for each click by a line "@xdo ARGS", performed here with xdotool and answered with "ok".
run_probe() {
    fresh "$2"
    local line to from pid
    : >"$work_out"
    # Named pipes both ways, opened here for the whole run: the probe's last lines are still read after it ended.
    rm -f "$WINE_SCRATCH/ask" "$WINE_SCRATCH/answer"
    mkfifo "$WINE_SCRATCH/ask" "$WINE_SCRATCH/answer"
    wine "$probe" --exe "$(printf 'Z:%s' "${exe//\//\\}")" --folder 'C:\run' --mode "$1" --xdo \
        <"$WINE_SCRATCH/answer" >"$WINE_SCRATCH/ask" &
    pid=$!
    exec {to}>"$WINE_SCRATCH/answer" {from}<"$WINE_SCRATCH/ask"
    while IFS= read -r line <&"$from"; do
        line=${line%$'\r'}
        if [[ $line == "@xdo "* ]]; then
            # shellcheck disable=SC2086 # the arguments are words for xdotool
            if xdotool ${line#@xdo } >/dev/null 2>&1; then echo ok >&"$to"; else echo failed >&"$to"; fi
        else
            echo "$line" >>"$work_out"
        fi
    done
    exec {to}>&- {from}<&-
    wait "$pid" || { log "the probe failed ($1, $2 aircraft)"; exit 1; }
    cat "$work_out"
}
run_floor() { # scan N | modify N MODE
    if [ "$1" = scan ]; then
        wine "$floor" scan "C:\\bench\\fs$2\\Aircraft" >"$work_out"
    else
        fresh "$2"
        wine "$floor" modify 'C:\run\Aircraft' "$3" >"$work_out"
    fi
    tr -d '\r' <"$work_out"
}
work_out="$WINE_SCRATCH/out"
field() { sed -n "s/^$1=//p"; }

declare -A values
add() { values[$1]+="$2 "; } # key value
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((i = 0; i <= runs; i++)); do
    [ "$i" -eq 0 ] && log "warm-up round" || log "round $i of $runs"
    empty=$(run_probe open 0)
    for n in 1000 3000; do
        remove=$(run_probe remove "$n")
        restore=$(run_probe restore "$n")
        [ "$(field modify_left <<<"$remove")" = 0 ] && [ "$(field modify_left <<<"$restore")" = 0 ] &&
            [ "$(field all_selected <<<"$remove")" = "$(field open_count <<<"$remove")" ] ||
            { log "unexpected run: $(echo "$remove" "$restore" | tr '\n' ' ')"; exit 1; }
        floorScan=$(run_floor scan "$n" | field seconds)
        floorRemove=$(run_floor modify "$n" remove | field seconds)
        floorRestore=$(run_floor modify "$n" restore | field seconds)
        scan=$(echo "$(field open_total <<<"$remove") - $(field open_total <<<"$empty")" | bc -l)
        log "  $n: scan $scan s (floor $floorScan), All $(field all_total <<<"$remove") s," \
            "Remove $(field modify_total <<<"$remove") s (floor $floorRemove), Restore $(field modify_total <<<"$restore") s" \
            "(floor $floorRestore); $(field open_count <<<"$remove") aircraft listed"
        [ "$i" -eq 0 ] && continue
        add scan$n "$scan"
        add all$n "$(field all_total <<<"$remove")"
        add remove$n "$(field modify_total <<<"$remove")"
        add restore$n "$(field modify_total <<<"$restore")"
        add floorScan$n "$floorScan"
        add floorRemove$n "$floorRemove"
        add floorRestore$n "$floorRestore"
        add listed$n "$(field open_count <<<"$remove")"
    done
    [ "$i" -gt 0 ] && add empty "$(field open_total <<<"$empty")"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.4f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
m() { echo "${values[$1]}" | median; }
ratio() { echo "$1 / $2" | bc -l; }
held() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l ? "held" : "MISSED") }'; }

# row LABEL KEY FLOOR_KEY LIMIT PEER_LABEL PEER: the figures at both sizes, the floor at 3,000, and the ratio at
# 3,000 to PEER (the floor, or the program's own scan for All) against LIMIT; growth against 3.3.
row() {
    local label=$1 key=$2 floorKey=$3 limit=$4 peerLabel=$5 peer=$6
    local a b f r g
    a=$(m "${key}1000")
    b=$(m "${key}3000")
    f=$(m "${floorKey}3000")
    r=$(ratio "$b" "$peer")
    g=$(ratio "$b" "$a")
    printf '| %-40s | %7.3f s | %7.3f s | %7.3f s | %5.2fx %-6s | <= %.1fx: %-6s | %4.2fx: %-6s |\n' \
        "$label" "$a" "$b" "$f" "$r" "$peerLabel" "$limit" "$(held "$r" "$limit")" "$g" "$(held "$g" 3.3)"
}

echo
echo "vantrel.exe under $(wine --version 2>/dev/null), $(nproc) cores; load average $load_before before," \
    "$load_after after; medians of $runs rounds after a warm-up"
echo
echo "| Operation                                |   1,000   |   3,000   | Floor 3,000 | Ratio at 3,000 | Target          | Growth (<= 3.3x) |"
echo "|------------------------------------------|-----------|-----------|-------------|----------------|-----------------|------------------|"
row "Start-up scan (less empty: $(printf '%.3f' "$(m empty)") s)" scan floorScan 1.5 floor "$(m floorScan3000)"
row "All ($(m listed3000) entries at 3,000)" all floorScan 1.2 "scan" "$(m scan3000)"
row "Modify, Remove, its rescan included" remove floorRemove 1.3 floor "$(m floorRemove3000)"
row "Modify, Restore, its rescan included" restore floorRestore 1.3 floor "$(m floorRestore3000)"
echo
echo "Half of the aircraft modified already, so that each list holds half of them. The start-up scan is the time from the"
echo "main window's existing to its showing the filled list, less that time for an empty installation. All and Modify:"
echo "from the click to the end of the work (every entry selected; Modify's button hidden, the list rescanned). Floors:"
echo "bench/floor/win32_floor.cpp; the Modify floors rewrite the same aircraft and scan again. All's ratio is to the"
echo "program's own start-up scan, as All scans again."

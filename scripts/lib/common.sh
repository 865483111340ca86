# Shared by the scripts: the repository root and installing the Debian packages a script needs.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

# fail MESSAGE...: prints "WHAT: MESSAGE" and ends the script with status 1. WHAT is $FAILING, what the script
# checks at that point, or else the script's name.
fail() {
    echo "${FAILING:-${0##*/}}: $*" >&2
    exit 1
}

# ensure_packages PKG...: installs the missing ones with apt-get when running as root; otherwise names
# them and the command to run, and fails.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Vantrel needs these Debian packages: ${missing[*]}" >&2
        echo "Install them with:  sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
}

BUILD_PACKAGES=(g++ make cmake qt6-base-dev libgl-dev libgtest-dev fonts-dejavu-core fonts-dejavu-extra)

# ensure_wine32: 32-bit Wine (Debian's wine32 of the i386 architecture), which runs the 32-bit vantrel.exe,
# and Wine's own fonts. Adds the i386 architecture to dpkg first when running as root.
ensure_wine32() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        if [ "$(id -u)" -eq 0 ]; then
            dpkg --add-architecture i386
            apt-get update -qq
        else
            echo "32-bit Wine needs the i386 architecture: sudo dpkg --add-architecture i386 && sudo apt-get update" >&2
            exit 1
        fi
    fi
    ensure_packages wine wine32:i386 fonts-wine "$@"
}

# wine_scratch: a scratch folder that holds everything a Wine run writes, removed by wine_scratch_remove.
# Besides the prefix (32-bit, like the program), Wine writes into the home folder: menu entries and
# icons for the shortcuts a program makes (winemenubuilder), links to the user's folders, caches. So
# HOME and the XDG folders point into the scratch folder too. Sets WINE_SCRATCH and Wine's variables.
wine_scratch() {
    WINE_SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-wine.XXXXXX")
    export WINEARCH=win32 WINEPREFIX="$WINE_SCRATCH/prefix" WINEDEBUG=-all
    # Wine names files on Linux in the locale's encoding: only a UTF-8 one holds every Windows file name
    # (under LC_ALL=C a folder named in Greek cannot be made). Its Windows locale is then English (US).
    export LC_ALL=C.UTF-8
    export HOME="$WINE_SCRATCH/home"
    export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
    mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    # No Mono, no Gecko, no menu entries. Wine separates the entries by ';' (a ',' only lists more DLLs
    # for the same setting).
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine_fonts: the design's bitmap faces ("Small Fonts", "MS Sans Serif") and Tahoma into the prefix. They are
# Wine's own, but Debian keeps them outside the prefix, where Wine does not look.
wine_fonts() {
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# wine_scratch_remove: stops the scratch prefix's Wine server and removes the scratch folder.
wine_scratch_remove() {
    [ -n "${WINE_SCRATCH:-}" ] || return 0
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$WINE_SCRATCH"
    WINE_SCRATCH=""
}

# vantrel_version: the program's version, major.minor.revision (1.5.3), from the project() line of
# CMakeLists.txt, the one place it is written.
vantrel_version() {
    local version
    version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
    if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
        echo "CMakeLists.txt: project(Vantrel VERSION ...) does not hold major.minor.revision" >&2
        exit 1
    fi
    echo "$version"
}

# source_date_epoch: the time that builds of this source put into what they make, in seconds since 1970:
# SOURCE_DATE_EPOCH when set, else the time of the checked-out commit.
source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$ROOT" log -1 --format=%ct
    fi
}

# start_xvfb [SCREEN]: a virtual X display of its own (Xvfb; SCREEN default 1024x768x24), on display number
# $VANTREL_TEST_DISPLAY where several runs share a machine, otherwise on a free number picked at random (and on
# another one when that turns out to be taken). Exports DISPLAY once the server answers; XVFB_PID is the
# server, which stop_xvfb stops. Needs xdotool, which asks the server.
start_xvfb() {
    local screen=${1:-1024x768x24} number _
    XVFB_PID=""
    for _ in 1 2 3 4 5; do
        number=${VANTREL_TEST_DISPLAY:-$((200 + RANDOM % 300))}
        [ -n "${VANTREL_TEST_DISPLAY:-}" ] || [ ! -e "/tmp/.X$number-lock" ] || continue
        export DISPLAY=":$number"
        Xvfb "$DISPLAY" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 100); do
            xdotool getmouselocation >/dev/null 2>&1 && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        # Our server, not another one already on that display.
        if kill -0 "$XVFB_PID" 2>/dev/null && xdotool getmouselocation >/dev/null 2>&1; then
            return 0
        fi
        stop_xvfb
    done
    echo "no virtual X display could be started" >&2
    return 1
}

# stop_xvfb: stops the server that start_xvfb started, if any.
stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}

# install_demo FOLDER SETTINGS [wine]: a copy of the demo installation (data/demo: fs9.exe and a dozen made-up
# aircraft, four with the wing leveler already off) as FOLDER/FS9, and the settings file SETTINGS that opens its
# Aircraft folder: the three lines Vantrel writes on Quit (both defaults ticked, the drive, the aircraft
# folder). With "wine" the drive and folder are those the Windows program sees under Wine, where the Linux
# file system is drive Z:.
install_demo() {
    local aircraft="$1/FS9/Aircraft"
    cp -R "$ROOT/data/demo/FS9" "$1/FS9"
    if [ "${3:-}" = wine ]; then
        printf '3\r\nz:\r\nZ:%s\r\n' "$(echo "$aircraft" | tr / '\\')" >"$2"
    else
        printf '3\r\n/\r\n%s\r\n' "$aircraft" >"$2"
    fi
}

# Shared by the scripts: the repository root and installing the Debian packages a script needs.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
JOBS=$(nproc 2>/dev/null || echo 2)

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

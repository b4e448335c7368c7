# Sourced by scripts/setup.sh and scripts/setup-tests.sh: installs those of
# the given Debian packages that are missing. Safe to run again: the package
# lists are refreshed only when there is something to install.
install_missing() {
    local label=$1
    shift
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$p")
        fi
    done

    if [ ${#missing[@]} -eq 0 ]; then
        echo "$label: all $# packages present"
        return 0
    fi

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        as_root=(sudo)
    fi

    echo "$label: installing ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "${missing[@]}"
}

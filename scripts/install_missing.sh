# Sourced by the setup scripts: finds which Debian packages are not installed and installs them.

# Prints each of the named packages that dpkg does not have installed, one per line.
missing_packages() {
    local package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        [ "$status" = "installed" ] || echo "$package"
    done
}

# install_packages TAG PACKAGE...: installs the packages with apt-get, as root or through sudo,
# saying so on one line that starts with TAG. With their recommendations: the desktop pieces
# expect them.
install_packages() {
    local tag=$1 sudo=""
    shift
    echo "$tag: installing $*"
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "$tag: run as root or install sudo" >&2; exit 1; }
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    # On a fresh machine unattended upgrades often hold the package lock for minutes: wait for
    # it rather than fail, and say so, since apt itself only says so once the wait is over.
    local lock_wait=(-o DPkg::Lock::Timeout=600)
    if apt_lock_busy $sudo; then
        echo "$tag: waiting for another package manager to finish (up to 10 minutes)"
    fi
    $sudo apt-get "${lock_wait[@]}" update -qq
    $sudo apt-get "${lock_wait[@]}" install -y -qq "$@" >/dev/null
}

# install_build_dependencies TAG: installs the build dependencies debian/control declares (run
# from the folder that holds debian/), as install_packages installs packages.
install_build_dependencies() {
    local tag=$1 sudo=""
    echo "$tag: installing the build dependencies of debian/control"
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "$tag: run as root or install sudo" >&2; exit 1; }
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    if apt_lock_busy $sudo; then
        echo "$tag: waiting for another package manager to finish (up to 10 minutes)"
    fi
    $sudo apt-get -o DPkg::Lock::Timeout=600 build-dep -y -qq ./ >/dev/null
}

# apt_lock_busy [sudo]: whether another process holds one of apt's or dpkg's locks. fuser
# (from psmisc) sees other users' processes only as root, hence the sudo; without fuser the
# install still waits, only without saying so first.
apt_lock_busy() {
    local lock
    command -v fuser >/dev/null || return 1
    for lock in /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock \
                /var/cache/apt/archives/lock; do
        [ -e "$lock" ] && "$@" fuser "$lock" >/dev/null 2>&1 && return 0
    done
    return 1
}

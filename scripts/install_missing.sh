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
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "$@" >/dev/null
}

# Installs the Debian packages named, when any of them is missing. Sourced by the scripts.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config qt6-base-dev fonts-dejavu-core)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev libfuzzer-14-dev
    qemu-system-x86 xvfb xauth xdotool)
# The Windows program's cross build, and Wine with Xvfb to run its tests.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++ gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix)
WINDOWS_TEST_PACKAGES=(googletest wine wine64 fonts-wine xvfb xauth xdotool libxrender1 libxrandr2
    libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3)

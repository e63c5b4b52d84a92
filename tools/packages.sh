# Sourced by run.sh and test.sh: installs, on Debian 12, whatever of the
# given packages is missing. Does nothing when everything is there.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and running the program needs. No i386 architecture: 32-bit
# Wine does not resolve on Debian 12 next to the amd64 libraries.
BUILD_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64)
RUN_PACKAGES=(wine wine64 xvfb xauth xdotool imagemagick fonts-liberation)
TEST_PACKAGES=(libgtest-dev clang clang-tidy cppcheck file icoutils cups printer-driver-cups-pdf
               poppler-utils fonts-dejavu-core python3-pil qemu-system-x86 debootstrap cpio)

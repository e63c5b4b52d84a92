# Sourced by run.sh, test.sh, release.sh and verify.sh: installs, on Debian
# 12, whatever of the given packages is missing, as root or through sudo, and
# says what. Does nothing when everything is there.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq || return 1
    # sudo drops the caller's environment: env hands the setting through.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and running the program needs; cups and its PDF printer let
# Print for Post/or Fax print under Wine. No i386 architecture: 32-bit Wine
# does not resolve on Debian 12 next to the amd64 libraries.
BUILD_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64)
RUN_PACKAGES=(wine wine64 xvfb xauth xdotool imagemagick fonts-liberation cups printer-driver-cups-pdf)
TEST_PACKAGES=(libgtest-dev clang clang-tidy cppcheck file icoutils poppler-utils fonts-dejavu-core
               python3-pil qemu-system-x86 debootstrap cpio softhsm2 opensc)
# What tools/release.sh needs to sign: osslsigncode, openssl to check a PEM
# key's password first, OpenSSL's PKCS#11 engine for a key in a token, and
# Python and icoutils for the executable checks it runs on the build.
# The release tests (in TEST_PACKAGES) add a software token, softhsm2, and
# pkcs11-tool from opensc to put a key in it.
RELEASE_PACKAGES=(osslsigncode openssl libengine-pkcs11-openssl python3 icoutils)

# The tools whose versions decide the shipped program's bytes, one line
# "what: package version" each: a release records them in its BUILDINFO,
# and whoever checks it compares them with their own.
toolchain_versions() {
    local what file package
    for what in compiler:i686-w64-mingw32-g++ binutils:i686-w64-mingw32-ld \
        "Windows headers and libraries:/usr/i686-w64-mingw32/lib/libkernel32.a" cmake:cmake ninja:ninja; do
        file=$(command -v "${what#*:}") || file=${what#*:}
        package=$(dpkg -S "$(readlink -f "$file")" 2>/dev/null | cut -d: -f1) || true
        echo "${what%%:*}: ${package:-no package}${package:+ $(dpkg-query -W -f='${Version}' "$package")}"
    done
}

# Sourced by run.sh, test.sh, release.sh and verify.sh: installs, on Debian
# 12 or 13, whatever of the given packages is missing, as root or through
# sudo (asked for that alone, saying so), and says what. Does nothing when
# everything is there. "a|b" stands for the first of a and b that apt offers
# here: a package that one release names otherwise.
ensure_packages() {
    local wanted=("$@") missing package
    missing=($(missing_packages "${wanted[@]}"))
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; return 1; }
        echo "packages.sh: asking sudo to install packages (apt needs root for that, and only that): ${missing[*]}"
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq || { echo "packages.sh: apt-get update failed (see above)" >&2; return 1; }
    # Named again with fresh package lists: they decide what "a|b" stands for.
    missing=($(missing_packages "${wanted[@]}"))
    echo "Installing: ${missing[*]}"
    # sudo drops the caller's environment: env hands the setting through.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
        { echo "packages.sh: could not install ${missing[*]} (apt-get's words above)" >&2; return 1; }
}

# No "| grep -q" in these two: under pipefail, the writer cut off by grep's early exit would fail the test.
installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == *"ok installed" ]]; }
offered() { [[ $(apt-cache policy "$1" 2>/dev/null) =~ Candidate:\ [^\(] ]]; }

# Prints, one a line, the given packages that are not installed, each "a|b"
# as the first that apt offers (or, where apt knows neither, that is there).
missing_packages() {
    local package name chosen
    for package in "$@"; do
        chosen=
        for name in ${package//|/ }; do
            [ "$name" = "$package" ] || offered "$name" || continue
            chosen=$name && break
        done
        for name in ${chosen:-${package//|/ }}; do
            installed "$name" && continue 2
        done
        echo "${chosen:-${package%%|*}}"
    done | awk '!seen[$0]++'   # each once
}

# The Debian archive this machine's apt reads first (sources.list's one-line
# entries or deb822 .sources files, security archives aside), else Debian's.
# No pipes: it runs under image.sh's errexit and pipefail.
apt_mirror() {
    local file line words
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        while read -r line; do
            read -ra words <<<"${line/\[*\] /}"   # a one-line entry's [options] aside
            case "${words[0]:-} ${words[1]:-}" in
                "deb http"* | "URIs: http"*) [[ ${words[1]} == *security* ]] || { echo "${words[1]}"; return; } ;;
            esac
        done <"$file"
    done
    echo http://deb.debian.org/debian
}

# What building and running the program needs; cups and its PDF printer let
# Print for Post/or Fax print under Wine. No i386 architecture: 32-bit Wine
# does not resolve on Debian 12 next to the amd64 libraries.
BUILD_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64)
RUN_PACKAGES=(wine wine64 xvfb xauth xdotool imagemagick fonts-liberation cups printer-driver-cups-pdf)
# What the tests need besides, none of it left to a Recommends or to what an
# image happens to hold: clang's fuzzer and sanitizer runtimes
# (libclang-rt-dev), xwininfo (x11-utils), git for the release tests, the
# asset generator's Liberation Sans Narrow (a package of its own on Debian
# 13), and what makes the emulated machine without root: debootstrap with
# the archive's keys and gpgv, fakeroot, mkfs.ext4 (e2fsprogs) and cpio.
TEST_PACKAGES=(libgtest-dev clang libclang-rt-dev clang-tidy cppcheck file poppler-utils fonts-dejavu-core python3-pil
               "fonts-liberation-sans-narrow|fonts-liberation" x11-utils git qemu-system-x86 debootstrap
               debian-archive-keyring gpgv fakeroot e2fsprogs cpio softhsm2 opensc)
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

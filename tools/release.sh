#!/usr/bin/env bash
# Builds the shipped program from a committed tree and puts a release in
# dist/: ZorbelOrder.exe, signed with Authenticode when a key is given,
# BUILDINFO (the commit and the tools that built it, which tools/verify.sh
# reads to check the release) and SHA256SUMS.
#
#   tools/release.sh                                            unsigned
#   tools/release.sh --pfx FILE.pfx                             key and certificate in a .pfx
#   tools/release.sh --cert CERT.pem --key KEY.pem              a PEM pair
#   tools/release.sh --cert CERT.pem --pkcs11-module MODULE.so --key 'pkcs11:...'
#                                                               a key that stays in its token
#   ... [--timestamp URL]    an RFC 3161 time stamp, so the signature outlives the certificate
#   ... [--out DIR]          somewhere other than dist/
#
# The key's password or the token's PIN comes from SIGN_PASSWORD, never from
# the command line. dist/ changes only when everything has worked: the new
# release is made beside it and replaces it whole, so a failure leaves the
# last good release as it was, and no exe ever sits there with the sums of
# another.
set -euo pipefail
say() { echo "release.sh: $*" >&2; }
fail() { say "$*"; exit 1; }
usage() { sed -n '6,13s/^# \{0,1\}//p' "$0" >&2; exit 2; }

# Files named on the command line are taken from where it was typed.
here() { case $1 in /* | pkcs11:*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
pfx='' cert='' key='' module='' timestamp='' out=$root/dist
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
    --pfx) pfx=$(here "$2") ;;
    --cert) cert=$(here "$2") ;;
    --key) key=$(here "$2") ;;
    --pkcs11-module) module=$(here "$2") ;;
    --timestamp) timestamp=$2 ;;
    --out) out=$(here "${2%/}") ;;
    *) usage ;;
    esac
    shift 2
done
cd "$root"
# Only a commit can be checked out, built again and compared with the release.
changes=$(git status --porcelain 2>&1) || fail "$root is no git checkout: a release is built from a commit"
if [ -n "$changes" ]; then
    say "changes not committed (a release is built only from a commit, which anyone can check out and check):"
    echo "$changes" >&2
    fail "commit them, or put them aside with git stash -u, and run again"
fi
. tools/packages.sh

signer=()
if [ -n "$pfx" ]; then
    [ -z "$cert$key$module" ] || fail "--pfx holds the key and certificate: give no --cert, --key or --pkcs11-module"
    signer=(-pkcs12 "$pfx")
elif [ -n "$cert$key$module" ]; then
    [ -n "$cert" ] && [ -n "$key" ] || fail "a PEM pair or a token key needs both --cert and --key"
    if [ -n "$module" ]; then
        [ -f "$module" ] || fail "no PKCS#11 module at $module"
        [ -n "${SIGN_PASSWORD+set}" ] || fail "a key in a token needs the token's PIN in SIGN_PASSWORD"
        signer=(-pkcs11module "$module" -certs "$cert" -key "$key")
    else
        [ -f "$key" ] || fail "no key file at $key (a key in a token also needs --pkcs11-module)"
        signer=(-certs "$cert" -key "$key")
    fi
fi
[ ${#signer[@]} -gt 0 ] || [ -z "$timestamp" ] || fail "--timestamp needs a key to sign with"
for file in "$pfx" "$cert"; do
    [ -z "$file" ] || [ -f "$file" ] || fail "no such file: $file"
done

# The release replaces the folder whole: never one that holds anything else.
if [ -e "$out" ] || [ -L "$out" ]; then
    [ -d "$out" ] && [ -z "$(find "$out" -mindepth 1 -maxdepth 1 ! -name ZorbelOrder.exe ! -name BUILDINFO \
        ! -name SHA256SUMS)" ] || fail "$out holds more than a release; name a new folder with --out"
fi
ensure_packages "${BUILD_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" || fail "could not install what the release needs"
# osslsigncode asks on the terminal when a PEM key will not open; better to say so and stop.
if [ -n "$key" ] && [ -z "$module" ]; then
    passin=pass:
    [ -z "${SIGN_PASSWORD+set}" ] || passin=env:SIGN_PASSWORD
    openssl pkey -in "$key" -noout -passin "$passin" 2>/dev/null ||
        fail "cannot open the PEM key $key: wrong or missing SIGN_PASSWORD?"
fi

say "building the shipped program (win32)"
cmake --preset win32 >/dev/null && cmake --build --preset win32 >&2 || fail "the build failed"
build=build/win32/ZorbelOrder.exe
# What Windows makes of the build (what it loads, that each delay-loaded call
# can store its function, the 486 floor, the size): one they refuse is
# neither signed nor released.
checks=$(/usr/bin/python3 tests/exe/check_exe.py "$build" 2>&1) ||
    { grep -v '^PASS' <<<"$checks" >&2; fail "the executable checks refuse the build (above); $out is unchanged"; }

# Made beside the release folder, so that the final moves are renames.
mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$(dirname "$out")/.$(basename "$out").XXXXXX")
secret=$(mktemp -d)
trap 'rm -rf "$work" "$secret"' EXIT
trap 'exit 1' HUP INT TERM
mkdir "$work/new"
exe=$work/new/ZorbelOrder.exe

if [ ${#signer[@]} -eq 0 ]; then
    cp "$build" "$exe"
else
    # The password reaches osslsigncode through a file only this user can read.
    readpass=()
    if [ -n "${SIGN_PASSWORD+set}" ]; then
        (umask 077 && printf '%s' "$SIGN_PASSWORD" >"$secret/password")
        readpass=(-readpass "$secret/password")
    fi
    description=$(sed -n 's/.*VALUE "FileDescription", "\(.*\)\\0".*/\1/p' resources/app.rc)
    host=$(sed -n 's/^#define VENDOR_WEB_HOST *"\(.*\)".*/\1/p' app/Vendor.h)
    [ -n "$description" ] && [ -n "$host" ] || fail "no FileDescription in resources/app.rc or web host in app/Vendor.h"
    stamp=()
    [ -z "$timestamp" ] || stamp=(-ts "$timestamp")
    say "signing${timestamp:+, time stamp from $timestamp}"
    if ! osslsigncode sign "${signer[@]}" "${readpass[@]}" -h sha256 -n "$description" -i "http://$host" \
        "${stamp[@]}" -in "$build" -out "$exe" </dev/null >"$work/log" 2>&1; then
        cat "$work/log" >&2
        reason="signing failed (above)"
        grep -q "timestamping failed" "$work/log" && reason="no time stamp from $timestamp"
        grep -Eq "mac verify failure|PIN incorrect|Login failed" "$work/log" && reason="wrong or missing SIGN_PASSWORD"
        fail "$reason; $out is unchanged"
    fi
    # What anyone checks against the sources: the signature must come off and leave the build.
    osslsigncode remove-signature -in "$exe" -out "$work/unsigned" >/dev/null &&
        cmp -s "$work/unsigned" "$build" || fail "the signed program does not give back the build; $out is unchanged"
fi
{
    echo "commit: $(git rev-parse HEAD)"
    toolchain_versions
    echo "unsigned build sha256: $(sha256sum <"$build" | cut -d' ' -f1)"
} >"$work/new/BUILDINFO"
(cd "$work/new" && sha256sum ZorbelOrder.exe BUILDINFO >SHA256SUMS)

[ ! -e "$out" ] && [ ! -L "$out" ] || mv -T "$out" "$work/old"
mv -T "$work/new" "$out" || { mv -T "$work/old" "$out"; fail "could not put the release in $out"; }
kind=unsigned
[ ${#signer[@]} -eq 0 ] || kind="signed${timestamp:+ and time-stamped}"
say "$out: ZorbelOrder.exe ($kind), BUILDINFO, SHA256SUMS"
cat "$out/SHA256SUMS"

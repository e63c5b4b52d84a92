#!/usr/bin/env bash
# Checks a release against the sources: builds the commit named in the
# BUILDINFO beside the exe, from this repository, in a scratch worktree,
# and compares that build with the exe, any signature taken off.
#
#   tools/verify.sh path/to/ZorbelOrder.exe     (or the folder that holds it)
#
# Exits 0 when they are the same bytes, 1 when they differ, 2 when it cannot
# tell (no BUILDINFO, a commit this repository does not have, a failed build).
# Neither SHA256SUMS nor the sum in BUILDINFO counts as proof: whoever could
# swap the exe could swap them too. Only the build does. The checkout, its
# build/ and its branches stay as they are.
set -euo pipefail
say() { echo "verify.sh: $*" >&2; }
cannot() { say "$*"; exit 2; }
[ $# -eq 1 ] || { sed -n '6s/^# \{0,1\}//p' "$0" >&2; exit 2; }

exe=$1
[ ! -d "$exe" ] || exe=$exe/ZorbelOrder.exe
[ -f "$exe" ] || cannot "no such file: $exe"
exe=$(realpath "$exe")
info=$(dirname "$exe")/BUILDINFO
[ -f "$info" ] || cannot "no BUILDINFO beside $exe: it names the commit to build, and a release has it"
commit=$(sed -n 's/^commit: \([0-9a-f]\{40\}\)$/\1/p' "$info")
[ -n "$commit" ] || cannot "$info names no commit"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
git cat-file -e "$commit^{commit}" 2>/dev/null ||
    cannot "this repository does not have commit $commit (fetch it; a shallow clone needs git fetch --unshallow)"
. tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" || cannot "could not install what the check needs"

# Other tool versions may build other bytes from the same sources.
while IFS= read -r ours; do
    grep -qxF "$ours" "$info" || say "other tools: the release was built with '$(grep "^${ours%%:*}:" "$info")'," \
        "this machine has '$ours'; if the bytes differ, the tools may be the cause, not the exe"
done < <(toolchain_versions)

scratch=$(mktemp -d)
trap 'git worktree remove --force "$scratch/source" 2>/dev/null; rm -rf "$scratch"' EXIT
trap 'exit 2' HUP INT TERM
say "building commit $commit (win32) in $scratch"
git worktree add --detach --quiet "$scratch/source" "$commit" || cannot "could not check out $commit"
(cd "$scratch/source" && cmake --preset win32 && cmake --build --preset win32) \
    >"$scratch/log" 2>&1 || { tail -20 "$scratch/log" >&2; cannot "the build of $commit failed (above)"; }
build=$scratch/source/build/win32/ZorbelOrder.exe

unsigned=$scratch/unsigned.exe signer=''
if osslsigncode remove-signature -in "$exe" -out "$unsigned" >/dev/null 2>&1; then
    # osslsigncode names the signer only when the signature holds over the file.
    # Newer ones would fetch revocation lists for it: the verdict here is about
    # the bytes, so not (Debian 12's own 2.5 has no such option, nor fetches).
    offline=()
    ! osslsigncode -h 2>&1 | grep -q -- -ignore-crl || offline=(-ignore-crl)
    signer=$(osslsigncode verify "${offline[@]}" -in "$exe" 2>/dev/null | sed -n '/Subject: /{s/.*Subject: //p;q}' || :)
    signer=${signer:+, signed by $signer}
    signer=${signer:-, with a signature that does not hold over it}
else
    cp "$exe" "$unsigned"  # no signature to take off
fi
if cmp -s "$unsigned" "$build"; then
    say "MATCH: $exe is the build of commit $commit$signer"
    [ -z "$signer" ] || say "(the bytes only: osslsigncode verify checks the signer's certificate chain)"
    exit 0
fi

# Which parts differ, in the build's layout: the headers, then each section.
# The PE checksum covers the whole file, so any change changes it: not news.
parts=() layout=$(i686-w64-mingw32-objdump -h "$build" | awk '$1 ~ /^[0-9]+$/ { print $2, $3, $6 }')
sections=$((16#$(head -1 <<<"$layout" | cut -d' ' -f3))) checksum=$(($(od -An -tu4 -j60 -N4 "$build") + 88))
cmp -s -n $checksum "$unsigned" "$build" && cmp -s -i $((checksum + 4)) -n $((sections - checksum - 4)) \
    "$unsigned" "$build" || parts+=(headers)
while read -r name size offset; do
    cmp -s -i $((16#$offset)) -n $((16#$size)) "$unsigned" "$build" || parts+=("$name")
done <<<"$layout"
say "DIFFERENT: $exe is not the build of commit $commit$signer"
say "without a signature it has $(stat -c %s "$unsigned") bytes, the build $(stat -c %s "$build");" \
    "they differ in: ${parts[*]:-the bytes after the last section}"
exit 1

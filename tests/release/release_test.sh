#!/usr/bin/env bash
# tools/release.sh unsigned, signed each way, time-stamped, failing and refusing changes not committed, with throwaway
# keys and secrets in the environment, in a scratch repository; then tools/verify.sh on its releases, made and changed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd) module=/usr/lib/softhsm/libsofthsm2.so tmp=$(mktemp -d)
trap 'kill ${server-} 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$tmp" && mkdir tokens tmp notes bin && touch notes/to-keep
echo "directories.tokendir = $tmp/tokens" >softhsm2.conf
SIGN_PASSWORD=$(head -c 18 /dev/urandom | base64) && export SIGN_PASSWORD SOFTHSM2_CONF=$tmp/softhsm2.conf
printf '%s\n' '[tsa]' default_tsa=t '[t]' serial=serial signer_digest=sha256 default_policy=1.2.3.4 \
    digests=sha256 >tsa.cnf
commit() { git -C repo add -A && git -C repo -c user.name=t -c user.email=t@invalid commit -q --no-gpg-sign -m "$1"; }
cert() { openssl req -x509 -newkey rsa:2048 -days 2 -subj "/CN=$1" -addext "extendedKeyUsage=critical,$2" "${@:3}"; }
printf '#!/bin/sh\necho "$*" >>%s/commands\nexec /usr/bin/${0##*/} "$@"\n' "$tmp" >bin/openssl  # each command line kept
chmod +x bin/openssl && ln -s openssl bin/osslsigncode && PATH=$tmp/bin:$PATH
{
    cert signer codeSigning -keyout key.pem -out cert.pem -passout env:SIGN_PASSWORD
    cert tsa timeStamping -keyout tsa.key -out tsa.pem -nodes
    openssl pkcs12 -export -in cert.pem -inkey key.pem -passin env:SIGN_PASSWORD -passout env:SIGN_PASSWORD -out key.pfx
    openssl pkey -in key.pem -passin env:SIGN_PASSWORD -outform DER -out key.der
    pkcs11-tool --module $module --init-token --label zorbel --so-pin env:SIGN_PASSWORD \
        --init-pin --pin env:SIGN_PASSWORD
    pkcs11-tool --module $module --token-label zorbel --pin env:SIGN_PASSWORD \
        --write-object key.der --type privkey --id 01
    git init -q repo && git -C "$root" ls-files -z -co --exclude-standard |
        tar -C "$root" --null -T - --ignore-failed-read -cf - | tar -C repo -xf - && commit "the working tree"
} >setup.log 2>&1 || { cat setup.log; echo "0 passed, 1 failed"; exit 1; }
exec 3< <(python3 -c 'import http.server as h, subprocess
class Reply(h.BaseHTTPRequestHandler):
    def do_POST(self):
        self.send_response(200), self.send_header("Content-Type", "application/timestamp-reply"), self.end_headers()
        subprocess.run("openssl ts -reply -config tsa.cnf -signer tsa.pem -inkey tsa.key -queryfile /dev/stdin".split(),
                       stdout=self.wfile, input=self.rfile.read(int(self.headers["Content-Length"])))
s = h.HTTPServer(("127.0.0.1", 0), Reply); print(s.server_port, flush=True); s.serve_forever()' 2>/dev/null)
server=$! pfx="--pfx key.pfx" pem="--cert cert.pem --key key.pem" && read -r port <&3
token="--cert cert.pem --pkcs11-module $module --key pkcs11:token=zorbel;id=%01" ts="--timestamp http://127.0.0.1"
# Each row: what it is, how it ends (unsigned, signed, stamped, refused for the password, failed, dirty), arguments.
for row in "unsigned|unsigned|" "a .pfx|signed|$pfx" "a PEM pair|signed|$pem" "a key in a token|signed|$token" \
    "a time stamp|stamped|$pfx $ts:$port" "a wrong .pfx password|refused|$pfx" "a wrong PEM password|refused|$pem" \
    "a .pfx not there|failed|--pfx nowhere.pfx" "other files in the way|failed|--out notes" \
    "a wrong token PIN|refused|$token" "a silent time-stamp server|failed|$pfx $ts:1" \
    "a build the executable checks refuse|rejected|$pfx" "uncommitted changes|dirty|"; do
    IFS='|' read -r name outcome arguments <<<"$row" && read -ra arguments <<<"$arguments"
    rm -rf before unsigned.exe && cp -a dist before 2>/dev/null
    [ "$outcome" = refused ] && password=wrong-$RANDOM || password=$SIGN_PASSWORD
    [ $outcome != dirty ] || { echo // >>repo/pages/CPagePH.h && touch repo/pages/New.h; }
    [ $outcome != rejected ] || { sed -i 's/^TEXT_LIMIT = .*/TEXT_LIMIT = 1/' repo/tests/exe/check_exe.py &&
        commit "a code size no build meets"; }
    SIGN_PASSWORD=$password TMPDIR=$tmp/tmp repo/tools/release.sh --out dist "${arguments[@]}" </dev/null >log 2>&1
    rc=$? why=() exe=dist/ZorbelOrder.exe build=repo/build/win32/ZorbelOrder.exe
    if [[ $outcome =~ refused|failed|dirty|rejected ]]; then
        [ $rc -ne 0 ] && diff -r before dist >/dev/null && [ -f notes/to-keep ] || why+=("ended 0 or touched a release")
        [ $outcome != refused ] || grep -q SIGN_PASSWORD log || why+=("no word of SIGN_PASSWORD")
        [ $outcome != dirty ] || { grep -q CPagePH.h log && grep -q New.h log && ! grep -q building log; } ||
            why+=("built, or did not name what is not committed")
        [ $outcome != rejected ] || { grep -q "executable checks refuse" log && git -C repo reset -q --hard HEAD~; } ||
            why+=("no word of the executable checks")
    else
        [ $rc -eq 0 ] && (cd dist && sha256sum -c --quiet SHA256SUMS) &>/dev/null || why+=("no release: $(tail -3 log)")
        grep -q ' BUILDINFO$' dist/SHA256SUMS && grep -qx "commit: $(git -C repo rev-parse HEAD)" dist/BUILDINFO &&
            grep -qx "unsigned build sha256: $(sha256sum <$build | cut -c-64)" dist/BUILDINFO || why+=("no BUILDINFO")
        rm -rf $outcome && cp -a dist $outcome  # verified below
        [ $outcome = unsigned ] || { osslsigncode verify -CAfile cert.pem -TSA-CAfile tsa.pem $exe &>verified &&
            grep -q "Text description: Zorbel Solitaire Order Form" verified; } || why+=("not verified as ours")
        [ $outcome != stamped ] || grep -q "Server Signature verification: ok" verified || why+=("no time stamp")
        osslsigncode remove-signature $exe unsigned.exe &>/dev/null && exe=unsigned.exe  # fails on an unsigned one
        cmp -s $exe $build || why+=("not the build byte for byte under the signature")
    fi
    ! ls -d .dist.* &>/dev/null && ! grep -rqF -- "$password" tmp commands || why+=("leftovers, or the password seen")
    [ ${#why[@]} -eq 0 ] && echo "PASS release with $name" || echo "FAIL release with $name: ${why[*]}"
done | tee results

# The checkout moves on, the changes above with it; a byte changed, a later commit named, the sums made anew to match.
first=$(git -C repo rev-parse HEAD) && sed -i 's/10 a\.m\./9 a.m./' repo/pages/CPagePH.h && commit "office hours from 9"
cp -a signed changed && cp -a unsigned later && cp -a unsigned patched && cp -a unsigned retooled
perl -0777 -pi -e 'substr($_, 4096, 1) ^= "\1"' {changed,patched}/*.exe   # in .text; the PE checksum left as it was
sed -i 's/^cmake: .*/cmake: cmake 0.1-1/' retooled/BUILDINFO
sed -i "s/^commit: .*/commit: $(git -C repo rev-parse HEAD)/" later/BUILDINFO && mkdir scratch
for folder in changed later; do (cd $folder && sha256sum ZorbelOrder.exe BUILDINFO >SHA256SUMS); done
# Each row: what verify.sh is given, the folder, how it must end, what it must say.
for row in "a signed release|signed|0|MATCH: .* $first, signed by /CN=signer" \
    "an unsigned one|unsigned|0|MATCH: .* $first" "a changed byte|changed|1|differ in: .text$" \
    "a changed byte, unsigned|patched|1|differ in: .text$" "other tools|retooled|0|with 'cmake: cmake 0.1-1'" \
    "an exe from another commit than BUILDINFO names|later|1|DIFFERENT"; do
    IFS='|' read -r name folder status said <<<"$row"
    TMPDIR=$tmp/scratch repo/tools/verify.sh $folder >log 2>&1
    rc=$? why=()
    [ $rc = "$status" ] && grep -q "$said" log || why+=("ended $rc: $(tail -2 log)")
    [ -z "$(ls -A scratch)$(git -C repo status --porcelain)" ] && [ "$(git -C repo worktree list | wc -l)" = 1 ] ||
        why+=("left something behind")
    [ ${#why[@]} -eq 0 ] && echo "PASS verify with $name" || echo "FAIL verify with $name: ${why[*]}"
done | tee -a results
echo "$(grep -c ^PASS results) passed, $(grep -c ^FAIL results) failed" && ! grep -q ^FAIL results

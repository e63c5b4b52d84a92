#!/usr/bin/env bash
# tools/release.sh unsigned, signed with each form of key, time-stamped by a
# local RFC 3161 responder, and failing without touching the last release.
# Keys, certificates, token and PINs are throwaway ones made here; secrets
# pass through the environment only. Prints PASS/FAIL lines and the totals.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32/ZorbelOrder.exe
module=/usr/lib/softhsm/libsofthsm2.so
tmp=$(mktemp -d)
trap 'kill $server 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$tmp" && mkdir tokens scratch notes && touch notes/to-keep
SIGN_PASSWORD=$(head -c 18 /dev/urandom | base64) SO_PIN=$(head -c 18 /dev/urandom | base64)
export SIGN_PASSWORD SO_PIN SOFTHSM2_CONF=$tmp/softhsm2.conf
echo "directories.tokendir = $tmp/tokens" >"$SOFTHSM2_CONF"
{
    openssl req -x509 -newkey rsa:2048 -keyout key.pem -passout env:SIGN_PASSWORD -out cert.pem -days 2 \
        -subj "/CN=Throwaway signer" -addext extendedKeyUsage=critical,codeSigning
    openssl pkcs12 -export -in cert.pem -inkey key.pem -passin env:SIGN_PASSWORD -passout env:SIGN_PASSWORD -out key.pfx
    openssl pkey -in key.pem -passin env:SIGN_PASSWORD -outform DER -out key.der
    openssl req -x509 -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.pem -days 2 \
        -subj "/CN=Throwaway TSA" -addext extendedKeyUsage=critical,timeStamping
    pkcs11-tool --module $module --init-token --label zorbel --so-pin env:SO_PIN
    pkcs11-tool --module $module --token-label zorbel --login --login-type so --so-pin env:SO_PIN \
        --init-pin --new-pin env:SIGN_PASSWORD
    pkcs11-tool --module $module --token-label zorbel --login --pin env:SIGN_PASSWORD \
        --write-object key.der --type privkey --id 01 --label signer
} >setup.log 2>&1 || { cat setup.log; echo "0 passed, 1 failed"; exit 1; }
printf '[tsa]\ndefault_tsa = t\n[t]\nserial = serial\nsigner_cert = tsa.pem\nsigner_key = tsa.key\n%s\n' \
    "signer_digest = sha256" "default_policy = 1.2.3.4" "digests = sha256" >tsa.cnf
python3 -c '
import http.server, subprocess
class Reply(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", "tsa.cnf", "-queryfile", "/dev/stdin"],
                               input=query, capture_output=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)
server = http.server.HTTPServer(("127.0.0.1", 0), Reply)
print(server.server_port, flush=True)
server.serve_forever()' >port 2>/dev/null &
server=$!
for _ in $(seq 50); do [ -s port ] && break; sleep 0.1; done

# NAME|OUTCOME|ARGUMENTS: signed, stamped (and signed), refused (with the wrong password) or failed.
passed=0 failed=0
for row in "unsigned|unsigned|" "a .pfx|signed|--pfx key.pfx" "a PEM pair|signed|--cert cert.pem --key key.pem" \
    "a key in a token|signed|--cert cert.pem --pkcs11-module $module --key pkcs11:token=zorbel;object=signer" \
    "a .pfx, time-stamped|stamped|--pfx key.pfx --timestamp http://127.0.0.1:$(cat port)" \
    "a .pfx, wrong password|refused|--pfx key.pfx" "a PEM pair, wrong password|refused|--cert cert.pem --key key.pem" \
    "a key in a token, wrong PIN|refused|--cert cert.pem --pkcs11-module $module --key pkcs11:token=zorbel;object=signer" \
    "a .pfx that is not there|failed|--pfx nowhere.pfx" "a folder of other files|failed|--out notes" \
    "a time-stamp server that does not answer|failed|--pfx key.pfx --timestamp http://127.0.0.1:1"; do
    IFS='|' read -r name outcome arguments <<<"$row"
    read -ra arguments <<<"$arguments"
    rm -rf before && cp -a dist before 2>/dev/null
    password=$SIGN_PASSWORD
    [ "$outcome" != refused ] || password=wrong-$RANDOM
    SIGN_PASSWORD=$password TMPDIR=$tmp/scratch "$root/tools/release.sh" --out dist "${arguments[@]}" \
        </dev/null >log 2>&1
    rc=$? why=()
    exe=dist/ZorbelOrder.exe
    case $outcome in
    refused | failed)
        [ $rc -ne 0 ] || why+=("release.sh succeeded")
        diff -r before dist >/dev/null && [ -f notes/to-keep ] || why+=("dist/ or notes/ changed")
        [ $outcome = failed ] || grep -q SIGN_PASSWORD log || why+=("no word of SIGN_PASSWORD") ;;
    *)
        [ $rc -eq 0 ] || why+=("release.sh failed: $(tail -5 log)")
        (cd dist && sha256sum -c --quiet SHA256SUMS) >/dev/null 2>&1 || why+=("SHA256SUMS does not verify")
        [ $outcome = unsigned ] || {
            osslsigncode verify -CAfile cert.pem -TSA-CAfile tsa.pem -in $exe >verify 2>&1 || why+=("not verified")
            [ $outcome = signed ] || grep -q "Timestamp Server Signature verification: ok" verify ||
                why+=("no time stamp verified")
            osslsigncode remove-signature -in $exe -out unsigned.exe >/dev/null 2>&1 && exe=unsigned.exe
        }
        cmp -s $exe "$build" || why+=("not the build byte for byte under the signature") ;;
    esac
    [ -z "$(ls -A scratch)" ] && ! ls -d .dist.* >/dev/null 2>&1 || why+=("temporary files left")
    rm -f unsigned.exe
    if [ ${#why[@]} -eq 0 ]; then
        echo "PASS release with $name" && passed=$((passed + 1))
    else
        echo "FAIL release with $name: ${why[*]}" && failed=$((failed + 1))
    fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]

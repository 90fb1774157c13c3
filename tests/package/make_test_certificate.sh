#!/usr/bin/env bash
# A throw-away certificate authority with a code-signing certificate and a time-stamping
# one, for signing the Windows packages in tests. Writes into DIR:
#   ca.pem        the authority's certificate (what verification trusts)
#   signer.p12    the code-signing certificate and key, password in signer.pass
#   tsa.pem, tsa.key   the time-stamp authority's certificate and key (osslsigncode's
#                 built-in authority signs the time stamps with them, offline)
#   make_test_certificate.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
quiet() { "$@" >/dev/null 2>&1; }
days=2
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days "$days" \
    -subj "/CN=Quillet Test CA" -addext basicConstraints=critical,CA:true \
    -addext keyUsage=critical,keyCertSign,cRLSign
# issue NAME SUBJECT EXTENDED-KEY-USAGE: a certificate NAME.pem with key NAME.key from the CA.
issue() {
    quiet openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2"
    printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' \
        "$3" >"$1.ext"
    quiet openssl x509 -req -in "$1.csr" -CA ca.pem -CAkey ca.key -CAcreateserial \
        -days "$days" -sha256 -extfile "$1.ext" -out "$1.pem"
}
issue signer "Quillet Test Signer" codeSigning
issue tsa "Quillet Test Time Stamps" critical,timeStamping
# The authority's certificate after the signer's, so the signature carries the chain.
cat ca.pem >>tsa.pem
openssl rand -hex 12 >signer.pass
quiet openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem \
    -passout file:signer.pass -out signer.p12
rm -f ./*.csr ./*.ext ca.key ca.srl signer.key signer.pem

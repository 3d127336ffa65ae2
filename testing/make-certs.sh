#!/bin/bash
# make-certs.sh DIR: the test CA and the HTTPS fixture's certificates. Each file is made once per
# DIR; one added here later is made on the next run, signed by the CA the prefixes already trust.
#   ca.pem/ca.key          test CA (trusted by the test prefixes)
#   localhost.pem/.key     signed by the CA for DNS:localhost, IP:127.0.0.1
#   selfsigned.pem/.key    self-signed for localhost
#   othername.pem/.key     signed by the CA for DNS:othername.test only (no IP address): a trusted
#                          certificate of another server, for localhost and 127.0.0.1 alike
set -eu
DIR="$1"
mkdir -p "$DIR"; cd "$DIR"

if [ ! -f ca.pem ] || [ ! -f ca.key ]; then
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 3650 \
    -subj "/CN=Orvane Test CA" >/dev/null 2>&1
fi

signed() {   # signed NAME CN SAN: NAME.pem/.key signed by the CA
  [ -f "$1.pem" ] && [ -f "$1.key" ] && return 0
  openssl req -newkey rsa:2048 -nodes -keyout "$1.key.new" -out "$1.csr" -subj "/CN=$2" >/dev/null 2>&1
  printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\n' "$3" > "$1.ext"
  openssl x509 -req -in "$1.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -out "$1.pem.new" \
    -days 3650 -extfile "$1.ext" >/dev/null 2>&1
  mv "$1.key.new" "$1.key" && mv "$1.pem.new" "$1.pem"
}

signed localhost localhost "DNS:localhost,IP:127.0.0.1"
signed othername othername.test "DNS:othername.test"
if [ ! -f selfsigned.pem ] || [ ! -f selfsigned.key ]; then
  openssl req -x509 -newkey rsa:2048 -nodes -keyout selfsigned.key -out selfsigned.pem -days 3650 \
    -subj "/CN=localhost" >/dev/null 2>&1
fi
touch .done

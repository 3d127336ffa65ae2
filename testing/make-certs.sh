#!/bin/bash
# make-certs.sh DIR: the test CA and the HTTPS fixture's certificates (made once per DIR)
#   ca.pem/ca.key          test CA (trusted by the test prefixes)
#   localhost.pem/.key     signed by the CA for DNS:localhost, IP:127.0.0.1
#   selfsigned.pem/.key    self-signed for localhost
set -eu
DIR="$1"
[ -f "$DIR/.done" ] && exit 0
mkdir -p "$DIR"; cd "$DIR"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 3650 \
  -subj "/CN=Orvane Test CA" >/dev/null 2>&1
openssl req -newkey rsa:2048 -nodes -keyout localhost.key -out localhost.csr \
  -subj "/CN=localhost" >/dev/null 2>&1
printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\nbasicConstraints=CA:FALSE\n' > san.ext
openssl x509 -req -in localhost.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out localhost.pem \
  -days 3650 -extfile san.ext >/dev/null 2>&1
openssl req -x509 -newkey rsa:2048 -nodes -keyout selfsigned.key -out selfsigned.pem -days 3650 \
  -subj "/CN=localhost" >/dev/null 2>&1
touch .done

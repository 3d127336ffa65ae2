// orv_trust_ca PEMFILE: adds a CA certificate to this prefix's LocalMachine ROOT store, so that
// the HTTPS fixture's certificate is trusted by WinINet with its default checks.
#include <windows.h>
#include <wincrypt.h>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) { fprintf(stderr, "usage: orv_trust_ca PEMFILE\n"); return 2; }
    HANDLE f = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE) { fprintf(stderr, "cannot open %s (%lu)\n", argv[1], (unsigned long)GetLastError()); return 1; }
    std::vector<char> pem(GetFileSize(f, NULL));
    DWORD got = 0;
    BOOL ok = ReadFile(f, pem.data(), DWORD(pem.size()), &got, NULL);
    CloseHandle(f);
    if (!ok || got != pem.size()) { fprintf(stderr, "cannot read %s\n", argv[1]); return 1; }
    DWORD len = 0;
    if (!CryptStringToBinaryA(pem.data(), got, CRYPT_STRING_BASE64HEADER, NULL, &len, NULL, NULL)) { fprintf(stderr, "not a PEM certificate\n"); return 1; }
    std::vector<BYTE> der(len);
    CryptStringToBinaryA(pem.data(), got, CRYPT_STRING_BASE64HEADER, der.data(), &len, NULL, NULL);
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "ROOT");
    if (!store) { fprintf(stderr, "cannot open the ROOT store (%lu)\n", (unsigned long)GetLastError()); return 1; }
    ok = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), len, CERT_STORE_ADD_REPLACE_EXISTING, NULL);
    CertCloseStore(store, 0);
    if (!ok) { fprintf(stderr, "cannot add the certificate (%lu)\n", (unsigned long)GetLastError()); return 1; }
    printf("trusted %s\n", argv[1]);
    return 0;
}

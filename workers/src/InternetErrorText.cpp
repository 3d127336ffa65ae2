#include "InternetErrorText.h"

#include <wininet.h>

namespace {

struct ErrorText {
    DWORD code;
    const char* text;
};

const ErrorText kTexts[] = {
    {ERROR_INTERNET_TIMEOUT, "the server did not answer in time"},
    {ERROR_INTERNET_INVALID_URL, "the address is not valid"},
    {ERROR_INTERNET_UNRECOGNIZED_SCHEME, "the address names an unknown scheme"},
    {ERROR_INTERNET_NAME_NOT_RESOLVED, "the server name could not be resolved"},
    {ERROR_INTERNET_LOGIN_FAILURE, "the log-in was refused"},
    {ERROR_INTERNET_OPERATION_CANCELLED, "the operation was cancelled"},
    {ERROR_INTERNET_CANNOT_CONNECT, "the connection to the server could not be made"},
    {ERROR_INTERNET_CONNECTION_ABORTED, "the connection with the server was broken"},
    {ERROR_INTERNET_CONNECTION_RESET, "the connection with the server was reset"},
    {ERROR_INTERNET_SEC_CERT_DATE_INVALID, "the server's certificate has expired or is not yet valid"},
    {ERROR_INTERNET_SEC_CERT_CN_INVALID, "the server's certificate is for another name"},
    {ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED, "the server asks for a client certificate"},
    {ERROR_INTERNET_INVALID_CA, "the server's certificate is not from a trusted authority"},
    {ERROR_INTERNET_SEC_CERT_REV_FAILED, "the server's certificate could not be checked for revocation"},
    {ERROR_INTERNET_SECURITY_CHANNEL_ERROR, "the secure connection with the server could not be set up"},
    {ERROR_HTTP_REDIRECT_FAILED, "the server redirected too often"},
    {ERROR_HTTP_INVALID_SERVER_RESPONSE, "the server's answer was not valid HTTP"},
    {ERROR_INTERNET_EXTENDED_ERROR, "the server reported an error"},
};

}  // namespace

std::string internetErrorText(DWORD code)
{
    std::string text = "error " + std::to_string(code);
    for (const ErrorText& e : kTexts)
        if (e.code == code)
            return text + ": " + e.text;
    return text;
}

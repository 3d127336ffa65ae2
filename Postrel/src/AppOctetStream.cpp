#include "AppOctetStream.h"
#include "Base64.h"
#include "CFile.h"
#include "MIMEMessage.h"
#include "MIMEPart.h"

namespace {

// A parameter value goes out bare when it is a MIME token, quoted otherwise (a file name with
// blanks, for instance), so that the header still parses.
CString parameterValue(const CString& value)
{
    const std::string& v = value.str();
    bool token = !v.empty();
    for (unsigned char c : v)
        if (c <= ' ' || c >= 0x7F || std::string("()<>@,;:\\\"/[]?=").find(char(c)) != std::string::npos) token = false;
    if (token) return value;
    std::string quoted = "\"";
    for (char c : v) {
        if (c == '"' || c == '\\') quoted += '\\';
        if (c != '\r' && c != '\n') quoted += c;
    }
    return CString(quoted + "\"");
}

// A Content-ID as it may stand in a header line: a line break in it would start lines of its own.
CString withoutLineBreaks(const CString& value)
{
    std::string v;
    for (char c : value.str())
        if (c != '\r' && c != '\n') v += c;
    return CString(v);
}

void reportBlocks(CMIMEMessage* progress, size_t before, size_t after)
{
    if (progress != NULL && before / 10000 != after / 10000) progress->Progress(10 * int(after / 10000), 0);
}

}  // namespace

CString CAppOctetStream::FileNameOf(const CString& path)
{
    const std::string& p = path.str();
    size_t cut = p.find_last_of("\\/:");
    return CString(cut == std::string::npos ? p : p.substr(cut + 1));
}

void CAppOctetStream::EncodeMemory(const char* data, size_t count, BodyBuffer& body, CMIMEMessage* progress)
{
    const CBase64 base64;
    body.BeginBulk();
    size_t done = 0;
    do {
        size_t n = count - done < kBytesPerLine ? count - done : kBytesPerLine;
        body.Append(base64.Encode(reinterpret_cast<const unsigned char*>(data) + done, n));
        body.Append("\r\n", 2);
        reportBlocks(progress, done, done + n);
        done += n;
    } while (done < count);
    body.Append("\r\n", 2);
    body.EndBulk();
}

BOOL CAppOctetStream::EncodeFile(const CString& path, BodyBuffer& body, CMIMEMessage* progress)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;
    const CBase64 base64;
    body.BeginBulk();
    size_t done = 0;
    unsigned char group[kBytesPerLine];
    for (;;) {
        UINT n = 0;
        try {
            n = file.Read(group, UINT(kBytesPerLine));
        } catch (CException* e) {   // a read error ends the data where it stopped
            e->Delete();
            break;
        }
        body.Append(base64.Encode(group, n));
        body.Append("\r\n", 2);
        reportBlocks(progress, done, done + n);
        done += n;
        if (n < kBytesPerLine) break;
    }
    body.Append("\r\n", 2);
    body.EndBulk();
    file.Close();
    return TRUE;
}

BOOL CAppOctetStream::EmitPart(CMIMEPart& part, CMIMEMessage& message, int)
{
    BodyBuffer& body = message.Body();
    const bool memory = (part.m_flags & CMIMEPart::MemoryBlock) != 0;
    if (m_code == CMIMEPart::EmbeddedResource) {
        body.Append(("Content-Type: " + ContentTypeText() + "\r\n").str());
        body.Append("Content-Transfer-Encoding: base64\r\n");
        body.Append(("Content-ID: <" + withoutLineBreaks(part.m_params) + ">\r\n").str());
    } else {
        CString name = parameterValue(FileNameOf(memory ? part.m_params : part.m_content));
        CString type = ContentTypeText();
        if (part.m_flags & CMIMEPart::NameInContentType) type += "; file=" + name;
        body.Append(("Content-Type: " + type + "\r\n").str());
        body.Append("Content-Transfer-Encoding: base64\r\n");
        body.Append(("Content-Disposition: attachment; filename=" + name + "\r\n").str());
    }
    body.Append("\r\n", 2);
    if (memory) {
        EncodeMemory(part.m_content.str().data(), part.m_content.str().size(), body, &message);
        return TRUE;
    }
    return EncodeFile(part.m_content, body, &message);
}

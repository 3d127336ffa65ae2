// Writes binary parts as application/octet-stream in base64: file attachments (type code 1)
// and resources embedded by Content-ID (type code 2).
#pragma once
#include "MIMEContentAgent.h"
#include <stddef.h>

class BodyBuffer;

class CAppOctetStream : public CMIMEContentAgent {
public:
    // Input bytes per base64 line: 54 bytes give 72 characters.
    static const size_t kBytesPerLine = 54;

    explicit CAppOctetStream(int code) : CMIMEContentAgent(code) {}

    // FALSE when the file of an attachment cannot be read: its header is written, no data.
    BOOL EmitPart(CMIMEPart& part, CMIMEMessage& message, int depth) override;

    // The file name and extension of a path (drive and folders dropped).
    static CString FileNameOf(const CString& path);

    // The base64 lines of a block: one line per 54 bytes, each ended by CR LF (an empty block
    // gives one empty line), then one more CR LF.
    static void EncodeMemory(const char* data, size_t count, BodyBuffer& body, CMIMEMessage* progress);
    // The same for a file opened by path; FALSE when it cannot be opened.
    static BOOL EncodeFile(const CString& path, BodyBuffer& body, CMIMEMessage* progress);

protected:
    virtual CString ContentTypeText() const { return "application/octet-stream"; }
};

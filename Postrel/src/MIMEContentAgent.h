// Writes one kind of MIME part into a message's body. One agent per kind serves every message
// of the process, on any thread: an agent keeps no state of the message it writes.
#pragma once
#include "CString.h"

class CMIMEMessage;
class CMIMEPart;

class CMIMEContentAgent {
public:
    explicit CMIMEContentAgent(int code) : m_code(code) {}
    virtual ~CMIMEContentAgent() = default;
    CMIMEContentAgent(const CMIMEContentAgent&) = delete;
    CMIMEContentAgent& operator=(const CMIMEContentAgent&) = delete;

    // Writes the part's header and content at the end of the message's body; depth is the
    // number of containers around the part. TRUE when written.
    virtual BOOL EmitPart(CMIMEPart& part, CMIMEMessage& message, int depth);
    bool HandlesType(int code) const { return code == m_code; }
    int Code() const { return m_code; }

protected:
    // Appends the content itself; nothing in the base.
    virtual int WriteText(const CString& content, const CString& params, int flags, CMIMEMessage& message);

    int m_code;
};

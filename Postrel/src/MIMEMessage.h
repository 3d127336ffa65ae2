// A mail message with a tree of MIME parts. Composing writes the tree into the body: the root
// part's header lines continue the message header, which therefore gets no blank line of its own.
#pragma once
#include "MailMessage.h"

class CMIMEPart;

class CMIMEMessage : public CMailMessage {
public:
    CMIMEMessage() = default;
    ~CMIMEMessage() override;

    // Adds a part. Without a root, a container kind (1000 and up) becomes the root; any other
    // kind first gets a multipart/mixed root. Text/plain goes first under the root, others last.
    CMIMEPart* AddPart(const char* content, int code, const CString& params, int encoding, bool nameInContentType);
    // Makes an empty part of that kind the root (any previous root is freed).
    CMIMEPart* CreateRoot(int code);
    CMIMEPart* Root() { return m_root; }

    // TRUE once: the outermost container writes the preamble.
    bool TakePreamble();

protected:
    void WriteHeaderFields() override;
    void FinishBody() override;
    void CloseHeader() override;

private:
    CMIMEPart* m_root = NULL;
    bool m_preamblePending = true;
};

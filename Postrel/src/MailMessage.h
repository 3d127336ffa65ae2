// A mail message: header fields, recipients and body, composed once into the header text and
// the body text that go out after DATA.
#pragma once
#include "BodyBuffer.h"
#include "Recipient.h"
#include "CArray.h"
#include "CObject.h"
#include "CString.h"
#include "CTime.h"

class CMailMessage : public CObject {
public:
    // Header lines are folded to stay within this width where a blank allows it, and never
    // exceed kMaxHeaderLine (SMTP's 1000 with CR LF).
    static const int kFoldWidth = 78;
    static const int kMaxHeaderLine = 998;

    CMailMessage();

    void SetSender(const CString& address) { m_sender = address; }
    const CString& Sender() const { return m_sender; }
    void SetSubject(const CString& subject) { m_subject = subject; }
    const CString& Subject() const { return m_subject; }

    void AppendRecipient(const CString& address, const CString& name, int kind = CRecipient::To);
    // FALSE, outputs untouched, when index is out of range.
    BOOL RecipientAt(int index, CString& address, CString& name, int& kind) const;
    int RecipientCount() const { return int(m_recipients.GetSize()); }

    // The body text before composition; the composed body after.
    BodyBuffer& Body() { return m_body; }
    const BodyBuffer& Body() const { return m_body; }
    const CString& HeaderText() const { return m_header; }
    int LineWidth() const { return m_lineWidth; }

    void Compose();

    // Notification while composing (0 start, 1 before each part, 2 end, 10 per 10000 encoded
    // bytes of an attachment); nothing here.
    virtual void Progress(int code, int value);

    // "+hhmm"/"-hhmm" for a bias in minutes as the system reports it (UTC = local + bias).
    static CString ZoneText(LONG bias);
    // "Thu, 05 Mar 2026 14:07:09 +0100"
    static CString DateText(const CTime& local, LONG bias);

protected:
    virtual void WriteHeaderFields();
    virtual void FinishBody();
    virtual void CloseHeader();
    virtual void ResetHeader();
    // Appends one header line: any CR or LF in it becomes a blank (a value can never start a
    // header line of its own), then it is folded and ended with CR LF.
    virtual void PutHeaderLine(const CString& line);

    // The clock of the Date header (separate so that composition can be tested).
    virtual CTime CurrentTime() const;
    // The bias in force: zone bias plus the standard or daylight bias; 0 when unknown.
    virtual LONG CurrentZoneBias() const;
    // A new Message-ID value for the message, in the sender's domain (tests fix it).
    virtual CString NewMessageId() const;

    CString m_sender;
    CString m_senderPrefix;
    CString m_subject;
    CString m_mailer;
    CString m_header;
    CTime m_time;
    BodyBuffer m_body;
    int m_lineWidth;
    CArray<CRecipient, const CRecipient&> m_recipients;
};

// One part of a MIME message tree: its kind (type code), encoding flags, parameters, content
// and child parts (owned).
#pragma once
#include "CList.h"
#include "CString.h"
#include <stdint.h>

class CMIMEMessage;

class CMIMEPart {
public:
    // type codes
    enum {
        TextPlain = 0,
        FileAttachment = 1,
        EmbeddedResource = 2,
        TextHtml = 3,
        MultipartMixed = 1000,
        MultipartAlternative = 1001,
        MultipartRelated = 1002,
    };
    // encoding codes (low 16 bits of the flags) and flags
    enum {
        EncodingDefault = 0,
        Encoding7Bit = 1,
        EncodingQuotedPrintable = 16,
        MemoryBlock = 0x20000,    // the content holds the bytes themselves
        NameInContentType = 0x100000,   // "; file=" + name after the attachment's Content-Type
    };

    CMIMEPart(int code, const char* content, int32_t flags, const CString& params, int32_t length);
    ~CMIMEPart();
    CMIMEPart(const CMIMEPart&) = delete;
    CMIMEPart& operator=(const CMIMEPart&) = delete;

    // Appends a new child and returns it. With a length above 0 exactly that many content bytes
    // are copied, otherwise the content as text.
    CMIMEPart* AddChild(int code, const char* content, int32_t flags, const CString& params, int32_t length = 0);
    void InsertFirstChild(CMIMEPart* part) { m_children.AddHead(part); }
    void AppendChild(CMIMEPart* part) { m_children.AddTail(part); }
    // Removes and returns the first child (NULL when none); the caller owns it.
    CMIMEPart* TakeFirstChild() { return m_children.IsEmpty() ? NULL : m_children.RemoveHead(); }
    int ChildCount() const { return int(m_children.GetCount()); }

    // Writes this part (and its children) into the message's body; FALSE when there is no
    // writer for its kind or the writer failed.
    BOOL EmitRoot(CMIMEMessage& message);

    int32_t m_flags;
    int m_code;
    CString m_params;
    CString m_content;
    int32_t m_length;

private:
    CTypedPtrList<CPtrList, CMIMEPart*> m_children;
};

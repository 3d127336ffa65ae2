#include "MIMEMessage.h"
#include "MIMEPart.h"

CMIMEMessage::~CMIMEMessage() { delete m_root; }

CMIMEPart* CMIMEMessage::CreateRoot(int code)
{
    delete m_root;
    m_root = new CMIMEPart(code, NULL, 0, CString(), 0);
    return m_root;
}

CMIMEPart* CMIMEMessage::AddPart(const char* content, int code, const CString& params, int encoding,
                                 bool nameInContentType)
{
    int32_t flags = encoding | (nameInContentType ? CMIMEPart::NameInContentType : 0);
    if (m_root == NULL) {
        if (code >= CMIMEPart::MultipartMixed) {
            m_root = new CMIMEPart(code, content, flags, params, 0);
            return m_root;
        }
        CreateRoot(CMIMEPart::MultipartMixed);
    }
    CMIMEPart* part = new CMIMEPart(code, content, flags, params, 0);
    if (code == CMIMEPart::TextPlain)
        m_root->InsertFirstChild(part);
    else
        m_root->AppendChild(part);
    return part;
}

bool CMIMEMessage::TakePreamble()
{
    bool pending = m_preamblePending;
    m_preamblePending = false;
    return pending;
}

void CMIMEMessage::WriteHeaderFields()
{
    CMailMessage::WriteHeaderFields();
    PutHeaderLine("MIME-Version: 1.0");
}

void CMIMEMessage::CloseHeader() {}

void CMIMEMessage::FinishBody()
{
    if (!m_body.IsEmpty()) {
        CMIMEPart* text = NULL;
        if (m_root != NULL) {
            text = AddPart(NULL, CMIMEPart::TextPlain, CString(), CMIMEPart::Encoding7Bit, false);
        } else {
            text = m_root = new CMIMEPart(CMIMEPart::TextPlain, NULL, CMIMEPart::Encoding7Bit, CString(), 0);
        }
        text->m_content = CString(m_body.Text());   // every byte, NULs included
    }
    m_body.Clear();
    if (m_root != NULL) m_root->EmitRoot(*this);
    CMailMessage::FinishBody();
}

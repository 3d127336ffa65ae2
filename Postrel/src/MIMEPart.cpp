#include "MIMEPart.h"
#include "MIMEContentAgent.h"
#include "MIMEMessage.h"
#include "MIMETypeManager.h"

CMIMEPart::CMIMEPart(int code, const char* content, int32_t flags, const CString& params, int32_t length)
    : m_flags(flags), m_code(code), m_params(params), m_length(length > 0 ? length : 0)
{
    if (content == NULL) return;
    m_content = length > 0 ? CString(content, length) : CString(content);
}

CMIMEPart::~CMIMEPart()
{
    while (!m_children.IsEmpty()) delete m_children.RemoveHead();
}

CMIMEPart* CMIMEPart::AddChild(int code, const char* content, int32_t flags, const CString& params, int32_t length)
{
    CMIMEPart* part = new CMIMEPart(code, content, flags, params, length);
    m_children.AddTail(part);
    return part;
}

BOOL CMIMEPart::EmitRoot(CMIMEMessage& message)
{
    CMIMEContentAgent* agent = CMIMETypeManager::Instance().FindAgent(m_code);
    if (agent == NULL) return FALSE;
    message.Progress(1, 0);
    return agent->EmitPart(*this, message, 0);
}

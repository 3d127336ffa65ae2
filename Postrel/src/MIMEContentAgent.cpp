#include "MIMEContentAgent.h"
#include "MIMEPart.h"

BOOL CMIMEContentAgent::EmitPart(CMIMEPart& part, CMIMEMessage& message, int)
{
    WriteText(part.m_content, part.m_params, part.m_flags, message);
    return TRUE;
}

int CMIMEContentAgent::WriteText(const CString&, const CString&, int, CMIMEMessage&) { return 0; }

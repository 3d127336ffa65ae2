#include "MIMEContainer.h"
#include "MIMEMessage.h"
#include "MIMEPart.h"
#include "MIMETypeManager.h"
#include <memory>

CString CMIMEContainer::Boundary(int depth)
{
    return CString("_") + char('0' + depth) + "_.__.__ZEM__Mailer__Part_Boundary_";
}

CString CMIMEContainer::ContentTypeText() const
{
    switch (m_code) {
    case CMIMEPart::MultipartMixed: return "multipart/mixed";
    case CMIMEPart::MultipartAlternative: return "multipart/alternative";
    case CMIMEPart::MultipartRelated: return "multipart/related";
    default: return "multipart/UNKNOWN";
    }
}

CString CMIMEContainer::PartHeader(const CString& params, int depth) const
{
    return "Content-Type: " + ContentTypeText() + ";" + params + "\r\n\tboundary=" + Boundary(depth) + "\r\n\r\n";
}

BOOL CMIMEContainer::EmitPart(CMIMEPart& part, CMIMEMessage& message, int depth)
{
    BodyBuffer& body = message.Body();
    const CString boundary = Boundary(depth);
    body.Append(PartHeader(part.m_params, depth).str());
    if (message.TakePreamble()) body.Append("This is a multi-part message in MIME format.\r\n\r\n");
    while (CMIMEPart* taken = part.TakeFirstChild()) {
        std::unique_ptr<CMIMEPart> child(taken);
        CMIMEContentAgent* agent = CMIMETypeManager::Instance().FindAgent(child->m_code);
        if (agent == NULL) continue;   // a kind nobody writes is left out, delimiter and all
        body.EndLine();
        body.Append("\r\n--" + boundary.str() + "\r\n");
        message.Progress(1, 0);
        agent->EmitPart(*child, message, depth + 1);
    }
    body.EndLine();
    body.Append("--" + boundary.str() + "--\r\n");
    return TRUE;
}

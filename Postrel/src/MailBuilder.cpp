#include "MailBuilder.h"
#include "MIMEMessage.h"
#include "MIMEPart.h"

namespace {

void setEnvelope(CMIMEMessage& message, const std::string& from, const std::string& to, const std::string& subject)
{
    message.SetSender(CString(from));
    message.AppendRecipient(CString(to), CString(), CRecipient::To);
    message.SetSubject(CString(subject));
}

}  // namespace

void BuildTextMail(CMIMEMessage& message, const std::string& from, const std::string& to,
                   const std::string& subject, const std::string& body, const std::vector<std::string>& attachments)
{
    setEnvelope(message, from, to, subject);
    message.Body().Assign(body);
    for (const std::string& path : attachments)
        message.AddPart(path.c_str(), CMIMEPart::FileAttachment, CString(), CMIMEPart::EncodingDefault, true);
}

void BuildHtmlMail(CMIMEMessage& message, const std::string& from, const std::string& to,
                   const std::string& subject, const std::string& text, const std::string& html,
                   const std::vector<MimeRelatedResources>& related, const std::vector<std::string>& attachments)
{
    setEnvelope(message, from, to, subject);
    CMIMEPart* mixed = message.CreateRoot(CMIMEPart::MultipartMixed);
    CMIMEPart* relatedPart = mixed->AddChild(CMIMEPart::MultipartRelated, NULL, 0, CString());
    CMIMEPart* alternative = relatedPart->AddChild(CMIMEPart::MultipartAlternative, NULL, 0, CString());
    alternative->AddChild(CMIMEPart::TextPlain, NULL, CMIMEPart::EncodingDefault, CString())->m_content = CString(text);
    alternative->AddChild(CMIMEPart::TextHtml, NULL, CMIMEPart::EncodingDefault, CString())->m_content = CString(html);
    for (const MimeRelatedResources& r : related) {
        CMIMEPart* part =
            relatedPart->AddChild(CMIMEPart::EmbeddedResource, NULL, CMIMEPart::MemoryBlock, CString(r.name));
        if (r.data != NULL && r.size > 0) {
            part->m_content = CString(reinterpret_cast<const char*>(r.data), r.size);
            part->m_length = r.size;
        }
    }
    for (const std::string& path : attachments)
        mixed->AddChild(CMIMEPart::FileAttachment, path.c_str(), CMIMEPart::EncodingDefault, CString());
}

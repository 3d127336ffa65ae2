#include "MIMETypeManager.h"
#include "AppOctetStream.h"
#include "MIMEContainer.h"
#include "MIMEPart.h"
#include "TextPlain.h"

CMIMETypeManager& CMIMETypeManager::Instance()
{
    // made once for the process: registering per message would pile up agents for ever
    static CMIMETypeManager* registry = [] {
        CMIMETypeManager* r = new CMIMETypeManager;
        const int width = 76;
        r->Register(new CTextPlain(CMIMEPart::TextPlain, width));
        r->Register(new CAppOctetStream(CMIMEPart::FileAttachment));
        r->Register(new CAppOctetStream(CMIMEPart::EmbeddedResource));
        r->Register(new CTextPlain(CMIMEPart::TextHtml, width));
        r->Register(new CMIMEContainer(CMIMEPart::MultipartMixed, width));
        r->Register(new CMIMEContainer(CMIMEPart::MultipartRelated, width));
        r->Register(new CMIMEContainer(CMIMEPart::MultipartAlternative, width));
        return r;
    }();
    return *registry;
}

CMIMETypeManager::~CMIMETypeManager()
{
    while (!m_agents.IsEmpty()) delete m_agents.RemoveHead();
}

void CMIMETypeManager::Register(CMIMEContentAgent* agent)
{
    m_lock.Lock();
    m_agents.AddTail(agent);
    m_lock.Unlock();
}

CMIMEContentAgent* CMIMETypeManager::FindAgent(int code)
{
    CMIMEContentAgent* found = NULL;
    m_lock.Lock();
    for (POSITION pos = m_agents.GetHeadPosition(); pos != NULL;) {
        CMIMEContentAgent* agent = m_agents.GetNext(pos);
        if (agent->HandlesType(code)) {
            found = agent;
            break;
        }
    }
    m_lock.Unlock();
    return found;
}

int CMIMETypeManager::AgentCount()
{
    m_lock.Lock();
    int n = int(m_agents.GetCount());
    m_lock.Unlock();
    return n;
}

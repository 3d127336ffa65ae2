// The process-wide registry of content agents, one per part kind. The agents are made once,
// at first use, and live until the process ends; lookups may come from any thread.
#pragma once
#include "CCriticalSection.h"
#include "CList.h"

class CMIMEContentAgent;

class CMIMETypeManager {
public:
    // The registry, with the seven agents of this library registered.
    static CMIMETypeManager& Instance();

    ~CMIMETypeManager();
    CMIMETypeManager(const CMIMETypeManager&) = delete;
    CMIMETypeManager& operator=(const CMIMETypeManager&) = delete;

    // Takes ownership of agent.
    void Register(CMIMEContentAgent* agent);
    // The first registered agent for code; NULL when none.
    CMIMEContentAgent* FindAgent(int code);
    int AgentCount();

private:
    CMIMETypeManager() = default;

    CCriticalSection m_lock;
    CTypedPtrList<CPtrList, CMIMEContentAgent*> m_agents;
};

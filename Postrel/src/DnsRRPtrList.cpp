#include "DnsRRPtrList.h"

void CDnsRRPtrList::TakeAll(CDnsRRPtrList& other)
{
    for (auto& rr : other.m_records) m_records.push_back(std::move(rr));
    other.m_records.clear();
}

std::unique_ptr<CDnsRR> CDnsRRPtrList::RemoveHead()
{
    if (m_records.empty()) return nullptr;
    std::unique_ptr<CDnsRR> head = std::move(m_records.front());
    m_records.erase(m_records.begin());
    return head;
}

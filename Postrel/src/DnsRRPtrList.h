// An owning list of records, in the order they were added.
#pragma once
#include "DnsRR.h"
#include <vector>

class CDnsRRPtrList {
public:
    void Add(std::unique_ptr<CDnsRR> rr) { m_records.push_back(std::move(rr)); }
    // Moves every record of other to the end of this list.
    void TakeAll(CDnsRRPtrList& other);
    void RemoveAll() { m_records.clear(); }

    size_t GetCount() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }
    const CDnsRR& operator[](size_t i) const { return *m_records[i]; }
    std::unique_ptr<CDnsRR> RemoveHead();

private:
    std::vector<std::unique_ptr<CDnsRR>> m_records;
};

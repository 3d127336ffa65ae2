// A name-server record (type 2).
#pragma once
#include "DnsRR.h"

class CDnsRRNS : public CDnsRR {
public:
    std::string Dump() const override;
    std::string m_host;

protected:
    void ReadData(CDnsBuffer& buffer) override;
};

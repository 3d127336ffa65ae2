// An alias record (type 5).
#pragma once
#include "DnsRR.h"

class CDnsRRCNAME : public CDnsRR {
public:
    std::string Dump() const override;
    std::string m_canonical;

protected:
    void ReadData(CDnsBuffer& buffer) override;
};

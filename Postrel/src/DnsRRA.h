// An address record (type 1).
#pragma once
#include "DnsRR.h"

class CDnsRRA : public CDnsRR {
public:
    std::string Dump() const override;
    std::string m_address;   // dotted IPv4 text

protected:
    void ReadData(CDnsBuffer& buffer) override;
};

// A mail-exchanger record (type 15).
#pragma once
#include "DnsRR.h"

class CDnsRRMX : public CDnsRR {
public:
    std::string Dump() const override;
    uint16_t m_preference = 0;
    std::string m_exchange;

protected:
    void ReadData(CDnsBuffer& buffer) override;
};

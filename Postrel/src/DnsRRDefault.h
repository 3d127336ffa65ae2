// A record of any type this library does not interpret: its data is kept as it came.
#pragma once
#include "DnsRR.h"

class CDnsRRDefault : public CDnsRR {
public:
    std::string m_data;

protected:
    void ReadData(CDnsBuffer& buffer) override;
};

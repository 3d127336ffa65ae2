// One recipient of a message: To or Cc, address and display name.
#pragma once
#include "CString.h"

class CRecipient {
public:
    enum Kind { To = 0, Cc = 1 };

    int m_kind = To;
    CString m_address;
    CString m_name;
};

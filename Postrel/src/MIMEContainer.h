// Writes multipart parts (mixed, alternative, related): the header with the boundary of the
// container's nesting depth, the preamble once per message, then each child between delimiters.
#pragma once
#include "MIMEContentAgent.h"

class CMIMEContainer : public CMIMEContentAgent {
public:
    CMIMEContainer(int code, int lineWidth) : CMIMEContentAgent(code), m_lineWidth(lineWidth) {}

    // Writes the children in order and frees each once written, so a tree is written once.
    BOOL EmitPart(CMIMEPart& part, CMIMEMessage& message, int depth) override;

    // "_" + ('0' + depth) + "_.__.__ZEM__Mailer__Part_Boundary_"
    static CString Boundary(int depth);

protected:
    virtual CString ContentTypeText() const;
    virtual CString PartHeader(const CString& params, int depth) const;

    int m_lineWidth;
};

// The feedback form (dialog 148): the user's address, a subject and a text, mailed to the support
// address by a ThreadSendFeedback. The form stays open, its fields locked, while the mail goes; it
// says "sent" and closes only once the mail was accepted, and otherwise shows why it was not and
// keeps the texts.
#pragma once

#include "CExtButton.h"
#include "CExtResizableDialog.h"

class ThreadSendFeedback;

class CDialogSendFeedback : public CExtResizableDialog {
public:
    enum {
        IDD = 148,
        IDC_ADDRESS = 1018,
        IDC_SUBJECT = 1009,
        IDC_BODY = 1010,
        IDC_SEND_BUTTON = 1000,
        IDC_CLEAR = 1115,
    };
    static const char kSent[];      // "Your feedback has been sent to our developers.Thank you for your time"
    static const char kNotSent[];   // the failure's start; the reason follows

    explicit CDialogSendFeedback(CWnd* pParent = NULL);
    ~CDialogSendFeedback() override;

    CString m_strAddress;
    CString m_strSubject;
    CString m_strBody;

    // A delivery runs now.
    bool IsSending() const { return m_pSending != nullptr; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnSend();
    afx_msg void OnClear();
    afx_msg void OnDestroy();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg LRESULT OnSendFinished(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void LockFields(bool bLock);

    CExtButton m_send;
    CExtButton m_clear;
    CExtButton m_cancel;
    ThreadSendFeedback* m_pSending;
};

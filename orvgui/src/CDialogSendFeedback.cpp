#include "CDialogSendFeedback.h"

#include "ContextHelpMap.h"
#include "FeedbackCheck.h"
#include "ThreadSendFeedback.h"

const char CDialogSendFeedback::kSent[] = "Your feedback has been sent to our developers.Thank you for your time";
const char CDialogSendFeedback::kNotSent[] = "Your feedback could not be sent: ";

BEGIN_MESSAGE_MAP(CDialogSendFeedback, CExtResizableDialog)
    ON_BN_CLICKED(IDC_SEND_BUTTON, OnSend)
    ON_BN_CLICKED(IDC_CLEAR, OnClear)
    ON_WM_DESTROY()
    ON_WM_HELPINFO()
    ON_MESSAGE(ThreadSendFeedback::kFinished, OnSendFinished)
END_MESSAGE_MAP()

CDialogSendFeedback::CDialogSendFeedback(CWnd* pParent) : CExtResizableDialog(IDD, pParent), m_pSending(nullptr) {}

CDialogSendFeedback::~CDialogSendFeedback() {}

void CDialogSendFeedback::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEND_BUTTON, m_send);
    DDX_Control(pDX, IDC_CLEAR, m_clear);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
    DDX_Text(pDX, IDC_SUBJECT, m_strSubject);
    DDX_Text(pDX, IDC_BODY, m_strBody);
}

BOOL CDialogSendFeedback::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    return TRUE;
}

void CDialogSendFeedback::LockFields(bool bLock)
{
    for (int id : {IDC_ADDRESS, IDC_SUBJECT, IDC_BODY, IDC_SEND_BUTTON, IDC_CLEAR})
        if (CWnd* pControl = GetDlgItem(id))
            pControl->EnableWindow(!bLock);
}

void CDialogSendFeedback::OnSend()
{
    if (m_pSending != nullptr || !UpdateData(TRUE))
        return;
    const char* failure = FeedbackCheck::firstFailure((LPCTSTR)m_strAddress, (LPCTSTR)m_strSubject, (LPCTSTR)m_strBody);
    if (failure != nullptr) {
        ::MessageBoxA(m_hWnd, failure, "Send Feedback", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_pSending = ThreadSendFeedback::start((LPCTSTR)m_strAddress, (LPCTSTR)m_strSubject, (LPCTSTR)m_strBody, m_hWnd);
    if (m_pSending == nullptr) {
        ::MessageBoxA(m_hWnd, (LPCTSTR)(CString(kNotSent) + "the program could not start sending it."), "Send Feedback",
                      MB_OK | MB_ICONERROR);
        return;
    }
    LockFields(true);
    SetWindowText("Send Feedback - sending...");
}

LRESULT CDialogSendFeedback::OnSendFinished(WPARAM wParam, LPARAM)
{
    if (m_pSending == nullptr)
        return 0;
    const bool bSent = wParam != 0;
    const std::string error = m_pSending->error();
    m_pSending->detach();
    m_pSending = nullptr;
    ThreadSendFeedback::reap();
    SetWindowText("Send Feedback");
    if (bSent) {
        ::MessageBoxA(m_hWnd, kSent, "Send Feedback", MB_OK | MB_ICONINFORMATION);
        EndDialog(IDOK);
        return 0;
    }
    LockFields(false);
    ::MessageBoxA(m_hWnd, (LPCTSTR)(CString(kNotSent) + error.c_str()), "Send Feedback", MB_OK | MB_ICONERROR);
    return 0;
}

void CDialogSendFeedback::OnClear()
{
    m_strAddress.Empty();
    m_strSubject.Empty();
    m_strBody.Empty();
    UpdateData(FALSE);
}

void CDialogSendFeedback::OnCancel()
{
    // a delivery under way goes on by itself; the form no longer waits for it
    if (m_pSending != nullptr) {
        m_pSending->detach();
        m_pSending = nullptr;
    }
    CExtResizableDialog::OnCancel();
}

void CDialogSendFeedback::OnDestroy()
{
    if (m_pSending != nullptr) {
        m_pSending->detach();
        m_pSending = nullptr;
    }
    CExtResizableDialog::OnDestroy();
}

BOOL CDialogSendFeedback::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}

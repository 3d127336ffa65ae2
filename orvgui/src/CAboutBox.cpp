#include "CAboutBox.h"

#include <vector>

#include "ContextHelpMap.h"

const char CAboutBox::kWebAddress[] = "https://orvane.example/";

BEGIN_MESSAGE_MAP(CAboutBox, CExtResizableDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAboutBox::CAboutBox(CWnd* pParent) : CExtResizableDialog(IDD, pParent) {}

std::string CAboutBox::BuildString()
{
    char path[MAX_PATH] = "";
    if (::GetModuleFileNameA(NULL, path, sizeof path) == 0)
        return std::string();
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return std::string();
    std::vector<char> block(size + 1, '\0');
    if (!::GetFileVersionInfoA(path, 0, size, block.data()))
        return std::string();
    char* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\PrivateBuild", reinterpret_cast<void**>(&value),
                          &length) ||
        value == nullptr)
        return std::string();
    // the block ends where the buffer does: never read past it
    const char* end = block.data() + block.size();
    const char* stop = value;
    while (stop < end && *stop != '\0')
        ++stop;
    return std::string(static_cast<const char*>(value), stop);
}

void CAboutBox::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUILD, m_build);
    DDX_Control(pDX, IDC_LINK, m_link);
    DDX_Control(pDX, IDOK, m_ok);
}

BOOL CAboutBox::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    m_strBuild = CString("Build number: ") + BuildString().c_str();
    m_build.SetWindowText(m_strBuild);
    m_build.setLink(false);
    m_link.setLinkTarget(kWebAddress).setLink(true).setTextColor(RGB(0, 0, 255)).setLinkCursor(::LoadCursor(NULL, IDC_HAND));
    return TRUE;
}

BOOL CAboutBox::OnHelpInfo(HELPINFO*)
{
    // the about box has no topic of its own: the contents
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}

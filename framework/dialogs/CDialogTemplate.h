// A copy of a dialog template in global memory that can be read and changed: its font above all.
// Both forms are understood: the plain DLGTEMPLATE and the extended DLGTEMPLATEEX (signature
// 0xFFFF), with or without a font (DS_SETFONT). Setting a font re-packs the template: the
// header gets the new face and size, the items follow DWORD-aligned, unchanged.
// Wide texts inside templates are compared and measured with the Win32 calls (lstrlenW,
// lstrcmpW), never the C library's wide functions (wchar_t is 4 bytes there, 2 here).
#pragma once
#include <afxwincore.h>

class CDialogTemplate {
public:
    CDialogTemplate(const DLGTEMPLATE* pTemplate = NULL);  // copies it
    CDialogTemplate(HGLOBAL hGlobalTemplate);               // copies it
    ~CDialogTemplate();
    CDialogTemplate(const CDialogTemplate&) = delete;
    CDialogTemplate& operator=(const CDialogTemplate&) = delete;

    HGLOBAL m_hTemplate;      // our copy (NULL when empty)
    DWORD m_dwTemplateSize;   // its size in bytes
    BOOL m_bSystemFont;       // SetSystemFont gave it the system's dialog font

    BOOL Load(LPCTSTR lpszResource);  // a dialog resource of the program (resource module first)
    BOOL SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb);
    // Hands the copy to the caller, who frees it with GlobalFree; the object is empty after.
    HGLOBAL Detach();

    BOOL HasFont() const;
    BOOL SetFont(LPCTSTR lpFaceName, WORD nFontSize);
    // The face and size of the system's dialog font; nFontSize 0: the system font's own size.
    BOOL SetSystemFont(WORD nFontSize = 0);
    BOOL GetFont(CString& strFaceName, WORD& nFontSize) const;
    void GetSizeInDialogUnits(SIZE* pSize) const;
    void GetSizeInPixels(SIZE* pSize) const;

    // The font of any template: FALSE when it has none.
    static BOOL GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize);
    static BOOL IsDialogEx(const DLGTEMPLATE* pTemplate)
    {
        return reinterpret_cast<const WORD*>(pTemplate)[1] == 0xFFFF;
    }
    static BOOL HasFont(const DLGTEMPLATE* pTemplate);
    // The whole size of a template in bytes, items included.
    static UINT GetTemplateSize(const DLGTEMPLATE* pTemplate);
    // Where the font's point size is (NULL when the template has no font).
    static BYTE* GetFontSizeField(const DLGTEMPLATE* pTemplate);
    // The style of either form, and a way to change it in place.
    static DWORD GetStyle(const DLGTEMPLATE* pTemplate);
    static void SetStyle(DLGTEMPLATE* pTemplate, DWORD dwStyle);
    static DWORD GetExStyle(const DLGTEMPLATE* pTemplate);
    static void SetExStyle(DLGTEMPLATE* pTemplate, DWORD dwExStyle);
    static WORD GetItemCount(const DLGTEMPLATE* pTemplate);
};

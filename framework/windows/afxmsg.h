// Message maps: each class that handles messages lists them in a static table of entries, and a
// class's table is chained to its base class's, so derived entries are found first.
//
// Every entry holds a small thunk made by the entry macro: the thunk casts the target to the
// class named in BEGIN_MESSAGE_MAP, converts the message parameters and calls the handler through
// a member pointer of the exact signature the message needs. A handler with another signature
// does not compile. WPARAM, LPARAM and LRESULT travel whole (64 bits); nothing is narrowed on the
// way unless the message itself defines a 32-bit value.
//
//   // .h                               // .cpp
//   class CMyWnd : public CWnd {        BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       afx_msg int OnCreate(...);          ON_WM_CREATE()
//       afx_msg void OnOpen();              ON_COMMAND(ID_FILE_OPEN, OnOpen)
//       DECLARE_MESSAGE_MAP()           END_MESSAGE_MAP()
//   };
#pragma once
#include <afx.h>
#include "afxpriv.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;

#define afx_msg

// Codes of command routing (OnCmdMsg's nCode); control notification codes are others.
#define CN_COMMAND           0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// What a thunk is given: the message, and for commands the id, the code and the extra data
// (CCmdUI* for updates, NMHDR* for notifications, with the notification's result slot). For the
// colour messages nCode is the kind of control (CTLCOLOR_EDIT, ...).
struct AFX_MSGARGS {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    UINT nCode;
    void* pExtra;
    LRESULT* pResult;
};

// A thunk answers the message's result; for command entries (commands, notifications,
// updates) it answers whether the command was handled (the _EX forms may say no).
typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, const AFX_MSGARGS& args);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;             // window message; WM_COMMAND/WM_NOTIFY (+WM_REFLECT_BASE) for commands
    UINT nCode;                // control or notification code (0 for plain messages)
    UINT nID;                  // first control id
    UINT nLastID;              // last control id (== nID unless a range)
    const UINT* pnRegMessage;  // ON_REGISTERED_MESSAGE: the variable holding the id, read at dispatch
    AFX_PMSGTHUNK pfnThunk;    // NULL ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // NULL for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Member-function pointer of class C with signature S: the exact type a handler must have.
template <class C, class S>
using AfxMemberFn = S C::*;

// Finds the first entry for message nMessage (plain messages and registered ones) in one table.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMessage,
                                                   UINT nCode, UINT nID);

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    virtual const AFX_MSGMAP* GetMessageMap() const;           \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {           \
        using ThisClass [[maybe_unused]] = theClass;            \
        using TheBaseClass = baseClass;                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                      \
    template <typename type_name>                                                        \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name>                                                        \
    const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap() {                         \
        using ThisClass [[maybe_unused]] = theClass<type_name>;                          \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                           \
            {0, 0, 0, 0, NULL, NULL}                                                \
        };                                                                          \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
        return &messageMap;                                                         \
    }

// The thunk of one entry: 'sig' is the handler's exact signature, 'call' the statement that
// calls it through pfn on t with the message arguments a.
#define AFX_MSG_THUNK(sig, memberFxn, call)                                  \
    [](CCmdTarget* pTarget_, const AFX_MSGARGS& a) -> LRESULT {              \
        AfxMemberFn<ThisClass, sig> pfn = &ThisClass::memberFxn;             \
        ThisClass* t = static_cast<ThisClass*>(pTarget_);                    \
        (void)a;                                                             \
        call;                                                                \
    }
#define AFX_MSG_ENTRY(msg, sig, memberFxn, call) \
    {msg, 0, 0, 0, NULL, AFX_MSG_THUNK(sig, memberFxn, call)},

// Helpers the thunks use to turn parameters into objects (temporaries, valid until the
// handler returns).
CWnd* AFXAPI AfxMsgWnd(LPARAM hWnd);
CDC* AFXAPI AfxMsgDC(LPARAM hDC);
inline CPoint AfxMsgPoint(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}

// ---- Plain and registered messages, commands, notifications --------------------------------

// LRESULT OnMessage(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    AFX_MSG_ENTRY(message, LRESULT(WPARAM, LPARAM), memberFxn, return (t->*pfn)(a.wParam, a.lParam))
// nMessageVariable is a UINT holding a RegisterWindowMessage id; it is read at dispatch time, so
// the order of static initialisation does not matter.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, &nMessageVariable,                   \
     AFX_MSG_THUNK(LRESULT(WPARAM, LPARAM), memberFxn, return (t->*pfn)(a.wParam, a.lParam))},

// void OnCommand()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), NULL, AFX_MSG_THUNK(void(), memberFxn, (t->*pfn)(); return TRUE)},
// void OnCommand(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), NULL, AFX_MSG_THUNK(void(UINT), memberFxn, (t->*pfn)(a.nID); return TRUE)},
// BOOL OnCommand(UINT nID): FALSE lets the command go on to the next target
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), NULL, AFX_MSG_THUNK(BOOL(UINT), memberFxn, return (t->*pfn)(a.nID))},
// void OnUpdate(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), NULL, \
     AFX_MSG_THUNK(void(CCmdUI*), memberFxn, (t->*pfn)(static_cast<CCmdUI*>(a.pExtra)); return TRUE)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), NULL, \
     AFX_MSG_THUNK(void(CCmdUI*), memberFxn, (t->*pfn)(static_cast<CCmdUI*>(a.pExtra)); return TRUE)},

// void OnNotification() for a WM_COMMAND notification 'code' from control 'id'
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), NULL, AFX_MSG_THUNK(void(), memberFxn, (t->*pfn)(); return TRUE)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), NULL, AFX_MSG_THUNK(void(UINT), memberFxn, (t->*pfn)(a.nID); return TRUE)},
#define ON_BN_CLICKED(id, memberFxn)     ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)      ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)   ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)    ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)  ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)   ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)   ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)  ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)     ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// void OnNotify(NMHDR* pNotifyStruct, LRESULT* pResult) for WM_NOTIFY 'code' from control 'id'
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), NULL, \
     AFX_MSG_THUNK(void(NMHDR*, LRESULT*), memberFxn, (t->*pfn)(static_cast<NMHDR*>(a.pExtra), a.pResult); return TRUE)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), NULL, \
     AFX_MSG_THUNK(void(UINT, NMHDR*, LRESULT*), memberFxn, (t->*pfn)(a.nID, static_cast<NMHDR*>(a.pExtra), a.pResult); return TRUE)},
// BOOL OnNotify(UINT id, NMHDR*, LRESULT*): FALSE lets the notification go on
#define ON_NOTIFY_EX(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), NULL, \
     AFX_MSG_THUNK(BOOL(UINT, NMHDR*, LRESULT*), memberFxn, return (t->*pfn)(a.nID, static_cast<NMHDR*>(a.pExtra), a.pResult))},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), NULL, \
     AFX_MSG_THUNK(BOOL(UINT, NMHDR*, LRESULT*), memberFxn, return (t->*pfn)(a.nID, static_cast<NMHDR*>(a.pExtra), a.pResult))},

// ---- Reflection: the control handles its own notification ----------------------------------

// void OnReflected()
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(code), 0, 0, NULL, AFX_MSG_THUNK(void(), memberFxn, (t->*pfn)(); return TRUE)},
// BOOL OnReflected(): FALSE lets the parent see the notification too
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(code), 0, 0, NULL, AFX_MSG_THUNK(BOOL(), memberFxn, return (t->*pfn)())},
// void OnReflected(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(code), 0, 0, NULL, \
     AFX_MSG_THUNK(void(NMHDR*, LRESULT*), memberFxn, (t->*pfn)(static_cast<NMHDR*>(a.pExtra), a.pResult); return TRUE)},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(code), 0, 0, NULL, \
     AFX_MSG_THUNK(BOOL(NMHDR*, LRESULT*), memberFxn, return (t->*pfn)(static_cast<NMHDR*>(a.pExtra), a.pResult))},
// HBRUSH CtlColor(CDC*, UINT nCtlColor): the control colours itself (NULL: the parent does)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, HBRUSH(CDC*, UINT), CtlColor, \
                  return (LRESULT)(t->*pfn)(AfxMsgDC(a.wParam), (UINT)a.lParam))

// ---- Window messages -------------------------------------------------------------------------

#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(WM_ACTIVATE, void(UINT, CWnd*, BOOL), OnActivate, \
                  (t->*pfn)(LOWORD(a.wParam), AfxMsgWnd(a.lParam), HIWORD(a.wParam)); return 0)
#define ON_WM_ACTIVATEAPP() \
    AFX_MSG_ENTRY(WM_ACTIVATEAPP, void(BOOL, DWORD), OnActivateApp, (t->*pfn)((BOOL)a.wParam, (DWORD)a.lParam); return 0)
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, void(), OnCancelMode, (t->*pfn)(); return 0)
#define ON_WM_CAPTURECHANGED() \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, void(CWnd*), OnCaptureChanged, (t->*pfn)(AfxMsgWnd(a.lParam)); return 0)
#define ON_WM_CHAR() \
    AFX_MSG_ENTRY(WM_CHAR, void(UINT, UINT, UINT), OnChar, \
                  (t->*pfn)((UINT)a.wParam, LOWORD(a.lParam), HIWORD(a.lParam)); return 0)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, void(), OnClose, (t->*pfn)(); return 0)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, void(CWnd*, CPoint), OnContextMenu, \
                  (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam), AfxMsgPoint(a.lParam)); return 0)
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, int(LPCREATESTRUCT), OnCreate, return (t->*pfn)(reinterpret_cast<LPCREATESTRUCT>(a.lParam)))
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor): for every WM_CTLCOLOR... message
#define ON_WM_CTLCOLOR() \
    AFX_MSG_ENTRY(WM_CTLCOLOR, HBRUSH(CDC*, CWnd*, UINT), OnCtlColor, \
                  return (LRESULT)(t->*pfn)(AfxMsgDC(a.wParam), AfxMsgWnd(a.lParam), a.nCode))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, void(), OnDestroy, (t->*pfn)(); return 0)
#define ON_WM_DRAWITEM() \
    AFX_MSG_ENTRY(WM_DRAWITEM, void(int, LPDRAWITEMSTRUCT), OnDrawItem, \
                  (t->*pfn)((int)a.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(a.lParam)); return TRUE)
#define ON_WM_MEASUREITEM() \
    AFX_MSG_ENTRY(WM_MEASUREITEM, void(int, LPMEASUREITEMSTRUCT), OnMeasureItem, \
                  (t->*pfn)((int)a.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(a.lParam)); return TRUE)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, void(BOOL), OnEnable, (t->*pfn)((BOOL)a.wParam); return 0)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, BOOL(CDC*), OnEraseBkgnd, return (t->*pfn)(AfxMsgDC(a.wParam)))
#define ON_WM_GETMINMAXINFO() \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO, void(MINMAXINFO*), OnGetMinMaxInfo, \
                  (t->*pfn)(reinterpret_cast<MINMAXINFO*>(a.lParam)); return 0)
#define ON_WM_HELPINFO() \
    AFX_MSG_ENTRY(WM_HELP, BOOL(HELPINFO*), OnHelpInfo, return (t->*pfn)(reinterpret_cast<HELPINFO*>(a.lParam)))
#define AFX_KEY_ENTRY(msg, fn) \
    AFX_MSG_ENTRY(msg, void(UINT, UINT, UINT), fn, (t->*pfn)((UINT)a.wParam, LOWORD(a.lParam), HIWORD(a.lParam)); return 0)
#define ON_WM_KEYDOWN()    AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP()      AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_KILLFOCUS() \
    AFX_MSG_ENTRY(WM_KILLFOCUS, void(CWnd*), OnKillFocus, (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam)); return 0)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(WM_SETFOCUS, void(CWnd*), OnSetFocus, (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam)); return 0)
#define AFX_MOUSE_ENTRY(msg, fn) \
    AFX_MSG_ENTRY(msg, void(UINT, CPoint), fn, (t->*pfn)((UINT)a.wParam, AfxMsgPoint(a.lParam)); return 0)
#define ON_WM_LBUTTONDOWN()   AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP()     AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MBUTTONDOWN()   AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP()     AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_RBUTTONDOWN()   AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP()     AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MOUSEMOVE()     AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEACTIVATE() \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE, int(CWnd*, UINT, UINT), OnMouseActivate, \
                  return (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam), LOWORD(a.lParam), HIWORD(a.lParam)))
#define ON_WM_MOVE() \
    AFX_MSG_ENTRY(WM_MOVE, void(int, int), OnMove, (t->*pfn)((short)LOWORD(a.lParam), (short)HIWORD(a.lParam)); return 0)
#define ON_WM_NCACTIVATE() \
    AFX_MSG_ENTRY(WM_NCACTIVATE, BOOL(BOOL), OnNcActivate, return (t->*pfn)((BOOL)a.wParam))
#define ON_WM_NCCALCSIZE() \
    AFX_MSG_ENTRY(WM_NCCALCSIZE, void(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize, \
                  (t->*pfn)((BOOL)a.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(a.lParam)); return 0)
#define ON_WM_NCCREATE() \
    AFX_MSG_ENTRY(WM_NCCREATE, BOOL(LPCREATESTRUCT), OnNcCreate, return (t->*pfn)(reinterpret_cast<LPCREATESTRUCT>(a.lParam)))
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, void(), OnNcDestroy, (t->*pfn)(); return 0)
#define ON_WM_NCHITTEST() \
    AFX_MSG_ENTRY(WM_NCHITTEST, LRESULT(CPoint), OnNcHitTest, return (t->*pfn)(AfxMsgPoint(a.lParam)))
#define AFX_NCMOUSE_ENTRY(msg, fn) \
    AFX_MSG_ENTRY(msg, void(UINT, CPoint), fn, (t->*pfn)((UINT)a.wParam, AfxMsgPoint(a.lParam)); return 0)
#define ON_WM_NCLBUTTONDOWN()   AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()     AFX_NCMOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()   AFX_NCMOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()     AFX_NCMOUSE_ENTRY(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMOUSEMOVE()     AFX_NCMOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, void(), OnNcPaint, (t->*pfn)(); return 0)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, void(), OnPaint, (t->*pfn)(); return 0)
#define ON_WM_PALETTECHANGED() \
    AFX_MSG_ENTRY(WM_PALETTECHANGED, void(CWnd*), OnPaletteChanged, (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam)); return 0)
#define ON_WM_QUERYDRAGICON() \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, HCURSOR(), OnQueryDragIcon, return (LRESULT)(t->*pfn)())
#define ON_WM_QUERYNEWPALETTE() \
    AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, BOOL(), OnQueryNewPalette, return (t->*pfn)())
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, BOOL(CWnd*, UINT, UINT), OnSetCursor, \
                  return (t->*pfn)(AfxMsgWnd((LPARAM)a.wParam), LOWORD(a.lParam), HIWORD(a.lParam)))
#define ON_WM_SETTINGCHANGE() \
    AFX_MSG_ENTRY(WM_SETTINGCHANGE, void(UINT, LPCTSTR), OnSettingChange, \
                  (t->*pfn)((UINT)a.wParam, reinterpret_cast<LPCTSTR>(a.lParam)); return 0)
#define ON_WM_SHOWWINDOW() \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, void(BOOL, UINT), OnShowWindow, (t->*pfn)((BOOL)a.wParam, (UINT)a.lParam); return 0)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, void(UINT, int, int), OnSize, \
                  (t->*pfn)((UINT)a.wParam, (short)LOWORD(a.lParam), (short)HIWORD(a.lParam)); return 0)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, void(), OnSysColorChange, (t->*pfn)(); return 0)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, void(UINT, LPARAM), OnSysCommand, (t->*pfn)((UINT)a.wParam, a.lParam); return 0)
#define ON_WM_TIMER() \
    AFX_MSG_ENTRY(WM_TIMER, void(UINT_PTR), OnTimer, (t->*pfn)((UINT_PTR)a.wParam); return 0)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, void(WINDOWPOS*), OnWindowPosChanging, \
                  (t->*pfn)(reinterpret_cast<WINDOWPOS*>(a.lParam)); return 0)
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, void(WINDOWPOS*), OnWindowPosChanged, \
                  (t->*pfn)(reinterpret_cast<WINDOWPOS*>(a.lParam)); return 0)

// Exceptions of the framework. Every one is thrown as a heap pointer (throw new ...), caught as
// CException* and released with Delete(). The small ones with no data of their own live here;
// CFileException and CArchiveException have their own headers.
#pragma once
#include "CObject.h"
#include <exception>
#include <new>

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() : m_bAutoDelete(TRUE) {}
    explicit CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

    // Frees a heap exception; a static one (bAutoDelete FALSE) stays.
    void Delete();
    // Copies at most nMaxError - 1 characters of the message and a NUL; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    BOOL m_bAutoDelete;

protected:
    // For the subclasses' GetErrorMessage: copies a fixed text with truncation.
    static BOOL CopyMessage(LPCSTR lpszText, LPTSTR lpszError, UINT nMaxError);
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    explicit CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
};

// A failure the user has already been told about (failed data validation): no message.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();

// Runs fn() for code that Win32 calls back (window and dialog procedures, hooks, thread
// procedures, comparison callbacks). An exception unwinding through the system's frames ends
// the process, so none may pass: a CException is deleted (and reported unless it is a
// CUserException), any other one is reported, and defaultResult is returned instead.
// With the environment variable FW_ABORT_ON_CALLBACK_EXCEPTION=1 the process aborts instead,
// so that tests see the fault.
void AFXAPI AfxReportCallbackException(LPCSTR lpszWhat);
template <class R, class F>
R AfxCallbackBarrier(R defaultResult, F&& fn) {
    try {
        return fn();
    } catch (CException* e) {
        const bool user = e->IsKindOf(RUNTIME_CLASS(CUserException)) != FALSE;
        char text[256] = "";
        e->GetErrorMessage(text, sizeof text);
        e->Delete();
        if (!user)
            AfxReportCallbackException(text[0] ? text : "framework exception");
    } catch (const std::bad_alloc&) {
        AfxReportCallbackException("out of memory");
    } catch (const std::exception& e) {
        AfxReportCallbackException(e.what());
    } catch (...) {
        AfxReportCallbackException("unknown exception");
    }
    return defaultResult;
}

// Common ground of the framework layer: the Win32 headers, the debugging macros and the few types
// every other framework header needs. ANSI only: TCHAR is char and the ...A functions are called.
#pragma once

#ifdef UNICODE
#error "the framework layer is ANSI only: do not define UNICODE"
#endif

// winsock2.h before windows.h: the other order declares the old Winsock types and the two clash
#include <winsock2.h>
#include <windows.h>
#include <cstddef>
#include <cstdarg>

// Iteration cookie of the lists and maps; the value itself is opaque to callers.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

#define AFXAPI
#define AFX_CDECL

// printf-style checking for every formatting entry point, so a DWORD passed to "%lu" (long is
// 8 bytes here) is a compile error rather than garbage at run time
#define AFX_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(1, 2);
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#else
// The expressions stay visible to the compiler (no "unused variable" warnings, format checks on
// TRACE) but are never evaluated; VERIFY keeps its side effects.
#define ASSERT(f) ((void)sizeof(!(f)))
#define VERIFY(f) ((void)(f))
#define TRACE(...) do { if (0) AfxTrace(__VA_ARGS__); } while (0)
#endif
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)

class CObject;
class CRuntimeClass;
class CArchive;
class CString;
class CException;
class CFile;

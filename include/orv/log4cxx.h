// log4cxx from Winelib code. winegcc defines _WIN32 and WIN32, which send log4cxx's headers down
// their Windows branches (they then do not match Debian's Linux-built library): hide both around
// the includes. log4cxx's wide-string API assumes a 4-byte wchar_t; Winelib's is 2 bytes, so use
// only its narrow API.
#pragma once
#include <windows.h>
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#undef _WIN32
#undef WIN32
#include <log4cxx/logger.h>
#include <log4cxx/propertyconfigurator.h>
#include <log4cxx/helpers/exception.h>
#include <log4cxx/fileappender.h>
#include <log4cxx/patternlayout.h>
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN32")

// Xerces-C from Winelib code: hide the Windows macros around its headers (see orv/log4cxx.h).
#pragma once
#include <windows.h>
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#undef _WIN32
#undef WIN32
#include <xercesc/util/PlatformUtils.hpp>
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN32")

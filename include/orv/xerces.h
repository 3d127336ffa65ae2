// Xerces-C from Winelib code: hide the Windows macros around its headers (see orv/log4cxx.h).
#pragma once
#include <windows.h>
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#undef _WIN32
#undef WIN32
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/HandlerBase.hpp>
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN32")

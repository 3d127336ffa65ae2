// GoogleTest/GoogleMock (Debian's Linux build) from Winelib code: with _WIN32 defined gtest takes
// its Windows branches and no longer matches libgtest.a, so hide _WIN32 around the include.
#pragma once
#include <windows.h>
#pragma push_macro("_WIN32")
#undef _WIN32
#include <gtest/gtest.h>
#include <gmock/gmock.h>
#pragma pop_macro("_WIN32")

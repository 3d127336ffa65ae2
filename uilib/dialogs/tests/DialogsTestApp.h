// What the dialog layers' tests share: the application object with a registry key of the
// test's own (removed when the program ends), and small window queries.
#pragma once
#include <orv/UiTest.h>
#include <string>

namespace dlgtest {

// The application; profile settings go under HKCU\Software\Orvane tests\uilib dialogs test.
CWinApp& App();

// The face of the font a window uses.
std::string FontFace(HWND hWnd);
int FontHeight(HWND hWnd);

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd);

}  // namespace dlgtest

namespace dlgtest {

// "left,top,right,bottom", for messages of failed comparisons.
std::string Text(const RECT& rc);

}  // namespace dlgtest

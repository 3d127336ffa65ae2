// The frame of a bar or floating frame painted in one go: its window DC with the client area
// clipped out, an off-screen picture of the whole window handed to the caller, and the
// painter's session ended after the picture is on the screen.
#pragma once
#include "afxwin.h"
#include <functional>

// Calls paint with the memory DC and the window and client rectangles, both in window
// coordinates (the window's top-left is 0,0). Nothing is painted for an empty window or when
// the window DC cannot be had.
void ExtPaintNcArea(CWnd* pWnd,
                    const std::function<void(CDC& dc, const CRect& rcWindow, const CRect& rcClient)>& paint);

// A window placement as text, "left,top,right,bottom,show,flags": the form the bar-state
// archive stores and the dialogs' window-state layer keeps in the application profile.
#pragma once
#include "afxwin.h"

// Parses the text into the placement's normal rectangle, show command and flags: six whole
// numbers within int range, nothing else, and a rectangle of positive size; false (and the
// placement untouched) otherwise. The show command and flags are not bounded here: a reader
// that needs known values checks them.
bool ExtParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp);

// The placement's normal rectangle, show command and flags in the form ExtParsePlacement reads.
CString ExtFormatPlacement(const WINDOWPLACEMENT& wp);

// The common dialogs.
#pragma once
#include <afxwin.h>
#include "CFileDialog.h"
#include "CColorDialog.h"

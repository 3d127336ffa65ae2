// The dialogs module: dialogs, data exchange, dialog templates, property pages and sheets.
#pragma once
#include <afxwincore.h>
#include "CDialog.h"
#include "CDataExchange.h"
#include "CDialogTemplate.h"
#include "CPropertyPage.h"
#include "CPropertySheet.h"

// Resource identifiers of the library's colour dialog (template, icon, message and controls),
// shared by its code and by CExtColorDlg.rc, which a program using the dialog lists among its
// sources (a static library carries no resources).
#pragma once

#define IDD_EXT_COLOR_DLG 30001        // the dialog template, and the dialog's icon
#define IDS_EXT_COLOR_RANGE 30002      // "Value must be in range 0..255"

#define IDC_EXT_COLOR_PICKER 30013     // main picker (custom window, subclassed)
#define IDC_EXT_COLOR_MODE 30014       // picker mode list
#define IDC_EXT_COLOR_SWATCH 30027     // new colour over the starting colour

#define IDC_EXT_COLOR_R 30016
#define IDC_EXT_COLOR_G 30018
#define IDC_EXT_COLOR_B 30020
#define IDC_EXT_COLOR_C 30031
#define IDC_EXT_COLOR_M 30040
#define IDC_EXT_COLOR_Y 30043
#define IDC_EXT_COLOR_H 30022
#define IDC_EXT_COLOR_S 30024
#define IDC_EXT_COLOR_L 30026

#define IDC_EXT_COLOR_SPIN_R 30032
#define IDC_EXT_COLOR_SPIN_G 30033
#define IDC_EXT_COLOR_SPIN_B 30034
#define IDC_EXT_COLOR_SPIN_H 30035
#define IDC_EXT_COLOR_SPIN_S 30036
#define IDC_EXT_COLOR_SPIN_L 30037
#define IDC_EXT_COLOR_SPIN_C 30038
#define IDC_EXT_COLOR_SPIN_M 30041
#define IDC_EXT_COLOR_SPIN_Y 30044

#define IDC_EXT_COLOR_LABEL_R 30015
#define IDC_EXT_COLOR_LABEL_G 30017
#define IDC_EXT_COLOR_LABEL_B 30019
#define IDC_EXT_COLOR_LABEL_H 30021
#define IDC_EXT_COLOR_LABEL_S 30023
#define IDC_EXT_COLOR_LABEL_L 30025
#define IDC_EXT_COLOR_LABEL_C 30028
#define IDC_EXT_COLOR_LABEL_M 30029
#define IDC_EXT_COLOR_LABEL_Y 30030
#define IDC_EXT_COLOR_LABEL_NEW 30039
#define IDC_EXT_COLOR_LABEL_OLD 30042
#define IDC_EXT_COLOR_LABEL_MODE 30291

// Ids of the tracking and gallery test resources.
#pragma once

#define IDR_MENU_CONTEXT 3400
#define IDR_MENU_GALLERY 3401

#define ID_TRK_OPEN 3410
#define ID_TRK_SAVE 3411
#define ID_TRK_DISABLED 3412
#define ID_TRK_PROPERTIES 3413
#define ID_TRK_SUB_FIRST 3414
#define ID_TRK_SUB_SECOND 3415
#define ID_TRK_DEEP 3416
#define ID_TRK_RENAME 3417
#define ID_TRK_CHECKED 3418
#define ID_TRK_RADIO 3419
#define ID_TRK_RARE 3420
#define ID_TRK_LONG_FIRST 3430   // the long menu's commands: 3430 onwards

// The stand-ins' answers.
#include "ExtBarStandIns.h"

IMPLEMENT_DYNAMIC(CExtBarColorButton, CObject)

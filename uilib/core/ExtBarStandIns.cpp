// The stand-ins' answers.
#include "ExtBarStandIns.h"

IMPLEMENT_DYNAMIC(CExtBarButton, CObject)
IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CExtBarButton)
IMPLEMENT_DYNAMIC(CExtBarColorButton, CExtBarButton)

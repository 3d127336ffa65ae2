#include "CCriticalSection.h"

IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

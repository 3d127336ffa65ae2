#include "CSyncObject.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)

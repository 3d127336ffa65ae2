// The framework's sockets (kept apart from afx.h so that only their users see Winsock).
#pragma once
#include "afx.h"
#include "CAsyncSocket.h"
#include "CSocket.h"

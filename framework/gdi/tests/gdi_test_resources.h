// Resource ids of the GDI test program.
#pragma once
#define IDB_COLOURS 101      // 8x2, 16 colours: black, grey 128, grey 192, white, magenta, red, magenta, blue
#define IDB_MISSING 999

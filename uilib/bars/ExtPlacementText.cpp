// A window placement as text (see ExtPlacementText.h).
#include "ExtPlacementText.h"
#include <climits>
#include <cstdlib>

bool ExtParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp) {
    if (lpszText == NULL)
        return false;
    long long values[6];
    const char* p = lpszText;
    for (int i = 0; i < 6; i++) {
        if (i > 0) {
            if (*p != ',')
                return false;
            p++;
        }
        const char* start = p;
        if (*p == '-' || *p == '+')
            p++;
        if (*p < '0' || *p > '9')
            return false;
        while (*p >= '0' && *p <= '9') {
            if (p - start > 12)
                return false;   // far beyond int
            p++;
        }
        values[i] = strtoll(start, NULL, 10);
        if (values[i] < INT_MIN || values[i] > INT_MAX)
            return false;
    }
    if (*p != '\0')
        return false;
    if (values[2] <= values[0] || values[3] <= values[1])
        return false;
    wp.rcNormalPosition.left = (LONG)values[0];
    wp.rcNormalPosition.top = (LONG)values[1];
    wp.rcNormalPosition.right = (LONG)values[2];
    wp.rcNormalPosition.bottom = (LONG)values[3];
    wp.showCmd = (UINT)(int)values[4];
    wp.flags = (UINT)(int)values[5];
    return true;
}

CString ExtFormatPlacement(const WINDOWPLACEMENT& wp) {
    CString text;
    text.Format("%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
                (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom, (int)wp.showCmd, (int)wp.flags);
    return text;
}

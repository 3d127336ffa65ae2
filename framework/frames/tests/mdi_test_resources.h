// Ids of the MDI test's resources (read by wrc and the test).
#define IDR_MDIFRAME        128
#define IDR_DOCUMENT        129
#define ID_DOC_COMMAND      32101
#define ID_SHARED_COMMAND   32102

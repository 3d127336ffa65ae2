// Ids of the docking tests' resources (plain #defines: wrc reads this file too).
#pragma once
#define ID_FLYBY_GO 0x0310

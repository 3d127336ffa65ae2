// Resource ids of the alarm settings and action pages and the new-item wizard.
#pragma once

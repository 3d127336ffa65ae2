// Resource ids of the item properties, protocol settings and test-run dialogs.
#pragma once

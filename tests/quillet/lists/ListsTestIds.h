#pragma once
// Resource ids of the list tests (the dialog and scroll bar ids are those of the control tests).
#include "../controls/ControlsTestIds.h"
#define IDP_ITEM_ICONS 601
#define IDP_DROP_ARROW 602
#define IDB_HEADER 603

#pragma once
// Resource ids of the menu tests.
#define IDB_STRIP 601

#pragma once
// Resource ids of the report list benchmark harness.
#define IDD_REPORT_BENCH 100
#define IDP_FRAME 129
#define IDB_VBAR 144
#define IDB_HBAR 145
#define IDB_CORNER 146
#define IDB_HEADER 150
#define IDP_ICONS 151

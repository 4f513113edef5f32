#pragma once
// Resource ids of the skin tests.
#define IDP_TEST_FRAME 129
#define IDD_SKIN_DIALOG 300
#define IDC_SKIN_CHILD 1001

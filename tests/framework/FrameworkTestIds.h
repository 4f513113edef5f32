#pragma once
// Resource ids of the framework tests.
#define IDD_TEST_DIALOG 200
#define IDC_TEST_BUTTON 1001
#define IDC_TEST_EDIT 1002
#define IDB_TEST_ALPHA 300

#pragma once
// Resource ids of the control tests.
#define IDP_BTN_STRIP 401
#define IDI_SMALL_STRIP 402
#define IDI_CLOSE_ICON 403
#define IDP_BAR 404
#define IDP_THUMB 405
#define IDP_PICTURE 406
#define IDI_TEMPLATE_ICON 407
#define IDD_CONTROLS_DIALOG 500
#define IDD_FRAMED_DIALOG 501
#define IDC_ICON_PICTURE 1001
#define IDB_VBAR 408
#define IDB_HBAR 409
#define IDB_CORNER 410
#define IDP_GRIP 411
#define IDP_CHK_STRIP 412
#define IDP_RADIO_STRIP 413

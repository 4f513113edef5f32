#pragma once
// Resource ids of album.
#define IDD_ALBUM_DIALOG 102
#define IDR_MAINFRAME 128
#define IDP_FRAME 129

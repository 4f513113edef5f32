#pragma once
// Resource ids of the gallery: album's skins keep album's numbers; the toolkit's generated skins follow.
#define IDD_GALLERY 200
#define IDP_FRAME 129
#define IDI_CLOSE_STRIP 131
#define IDI_CLOSE_ICON 132
#define IDI_BUTTON 133
#define IDI_START_ICON 135
#define IDP_SYSTEM_BUTTON 137
#define IDB_MENU_STRIP 139
#define IDB_SCROLL_VERT 144
#define IDB_SCROLL_HORZ 145
#define IDB_SCROLL_CORNER 146
#define IDP_EXPAND_GLYPHS 148
#define IDI_PROGRESS 157
#define IDI_SPLITTER_GRIP 160
#define IDP_SMALL_BUTTON 164
#define IDP_SLIDER_THUMB 165
#define IDI_BROWSE_BUTTON 179
#define IDI_BROWSE_ICON 180
#define IDP_CHECK_STRIP 300
#define IDP_RADIO_STRIP 301
#define IDP_DROP_ARROW 302
#define IDP_ITEM_ICONS 303
#define IDP_THUMBNAILS 304
#define IDB_HEADER 305

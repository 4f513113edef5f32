// The date stamp of the compression job: the file date as text and its drawing as outlined white text.
#pragma once

#include "framework/Framework.h"

#include <gdiplus.h>

#include <ctime>

// Where the job draws the stamp on the upright output picture.
constexpr int kStampX = 100;
constexpr int kStampY = 100;

// A time as "%b. %d. %Y" in local time and the C locale ("Jan. 05. 2009"); empty when it cannot be converted.
CString DateText(__time64_t time);
// The stamp text of a file: DateText of its creation time (under Wine, equal to its modification time). False when
// the file's status cannot be read.
bool FileDateText(const CString& path, CString& text);
// Draws text as a path: a grey shadow one pixel right and down, the white fill, then the grey outline over it;
// "Arial" em 36 in surface units, anchored at (x, y) with alignment 0 near, 1 centre, 2 far. Nothing for empty text.
void DrawOutlineText(Gdiplus::Graphics& surface, const wchar_t* text, int x, int y, int alignment);

// The text and size arithmetic of the photo pipeline: accepted names, display and output names, the output
// folder, size texts, thumbnail and output sizes.
#pragma once

#include "framework/Framework.h"

#include <string>

// Side of the square a thumbnail fits in.
constexpr int kThumbnailSide = 52;
// Photos at least this wide are halved by the compression job.
constexpr int kHalvingWidth = 2256;
// Name lengths kept by ShortenName in the job bar and on photo cards.
constexpr int kJobBarNameLength = 30;
constexpr int kCardNameLength = 17;

// True when the last four characters of name, lower-cased, are ".jpg", ".bmp", ".png", ".gif" or ".tif".
bool IsPhotoFileName(const CString& name);
// A name longer than length becomes "..." followed by its last length characters.
CString ShortenName(const CString& name, int length);
// The JPEG copy's file name: name without its last four characters, then ".jpg".
CString OutputFileName(const CString& name);
// The typed output folder trimmed of white space and of trailing backslashes (empty when nothing is left).
CString NormaliseOutputFolder(const CString& text);
// False when a folder path holds a character no file name may have (<>|"?*, or a colon past the drive) or a
// component that is a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an extension).
bool IsUsableFolderName(const CString& folder);
// "700B", "1KB", "5MB" (sizes truncated); empty from 1 GB on.
CString SizeText(ULONGLONG bytes);
// SizeText of the file's size; empty when its status cannot be read.
CString FileSizeText(const CString& path);
// Thumbnail size for a photo: the longer side 52, the other scaled with integer arithmetic (at least 1);
// 0 x 0 for a photo without size.
CSize ThumbnailSize(int width, int height);
// Size of the JPEG copy in the stored orientation: halved (integer division) when width >= kHalvingWidth.
CSize OutputSize(int width, int height);
// A path made full and upper-cased, to compare file names the way the file system does.
std::wstring PathKey(const CString& path);

// The drive capacity display's figures: how full the drive of a root path is, and its label.
#pragma once

#include "framework/Framework.h"

// What the capacity bar and its two texts show for one drive.
struct DriveCapacity {
    int percent = 100;     // bar position, 0..100
    CString percentText;   // "37% full"
    CString labelText;     // "E: CARD"; "E: " with an empty volume name
};

// (total - free) * 100 / total truncated toward zero, kept within 0..100; 100 when total is not positive.
int CapacityPercent(double freeSpace, double totalSpace);
// "<percent>% full".
CString CapacityText(int percent);
// The first two characters of root, a space and the volume name.
CString DriveLabelText(const CString& root, const wchar_t* volumeName);
// Measures the drive of root (its first three characters, e.g. "E:\") and names it; a root that is not a ready
// drive reads as 100% full with an empty volume name.
DriveCapacity ReadDriveCapacity(const CString& root);

#include "photo/Capacity.h"

#include "app/CxWinApp.h"

#include <cmath>

int CapacityPercent(double freeSpace, double totalSpace)
{
    // A volume that reports no size would divide by zero; show it as full, like a drive that cannot be measured.
    if (!(totalSpace > 0.0)) return 100;
    const double percent = std::trunc((totalSpace - freeSpace) * 100.0 / totalSpace);
    return percent < 0.0 ? 0 : percent > 100.0 ? 100 : int(percent);
}

CString CapacityText(int percent)
{
    CString text;
    text.Format(L"%d%% full", percent);
    return text;
}

CString DriveLabelText(const CString& root, const wchar_t* volumeName)
{
    CString text;
    text.Format(L"%s %s", root.Left(2).GetString(), volumeName ? volumeName : L"");
    return text;
}

DriveCapacity ReadDriveCapacity(const CString& root)
{
    const CString drive = root.Left(3);
    double freeSpace = 0.0;
    double totalSpace = 1.0;
    CxWinApp::GetDiskSize(drive, &freeSpace, &totalSpace);
    DriveCapacity capacity;
    capacity.percent = CapacityPercent(freeSpace, totalSpace);
    capacity.percentText = CapacityText(capacity.percent);
    wchar_t volumeName[1024] = {};
    if (!GetVolumeInformationW(drive, volumeName, 1024, nullptr, nullptr, nullptr, nullptr, 0)) volumeName[0] = 0;
    capacity.labelText = DriveLabelText(drive, volumeName);
    return capacity;
}

#pragma once
// Device drive discovery: the matching rules that map a present USB device to its removable drive, written
// against two small sources (the USB device interfaces, the drive letters with their mounted-devices values) so
// that the system's set-up API and registry can be swapped for fabricated ones.
#include "QuilletApi.h"
#include "framework/Strings.h"

#include <windows.h>

// The present USB device interfaces, in the order the system lists them.
class QUILLET_API UsbDeviceSource {
public:
    virtual ~UsbDeviceSource() = default;
    // Interface path, set-up class and device node of the interface at index; false past the last one.
    virtual bool GetInterface(DWORD index, CString& path, GUID& setupClass, DWORD& devInst) = 0;
    // Root of the removable drive of the device node, or empty.
    virtual CString GetDrive(DWORD devInst) = 0;
};

// The drive letters and the mounted-devices table (HKLM\System\MountedDevices).
class QUILLET_API MountedDriveTable {
public:
    virtual ~MountedDriveTable() = default;
    // Drive type (GetDriveTypeW) of a root such as "E:\".
    virtual UINT QueryDriveType(const wchar_t* root) = 0;
    // Reads the value named valueName (such as "\DosDevices\E:") into data of size bytes; false when it fails.
    virtual bool ReadValue(const wchar_t* valueName, BYTE* data, DWORD size) = 0;
};

// Instance string of a USB interface path \\?\usb#vid_vvvv&pid_pppp#instance#{class}: from 19 characters after
// "#vid_" up to the last "#"; empty when the path has no marker or no room for an instance.
QUILLET_API CString CutDevInstance(const wchar_t* interfacePath);
// A device identifier as the mounted-devices values hold it: backslashes turned into "#", lower case.
QUILLET_API CString MakeMountedDevKey(const wchar_t* deviceId);
// True when a set-up class is the USB one, {36FC9E60-C465-11CF-8056-444553540000} as text.
QUILLET_API bool IsUsbSetupClass(const GUID& setupClass);

// Appends the instance string of every interface of the USB set-up class; returns how many were appended.
QUILLET_API int ListDevInstances(UsbDeviceSource& source, CStringArray& devices);
// For the first USB-class interface whose instance string is exactly instance: drive becomes its removable
// drive's root (or empty); 1 when that root is not empty, else 0. drive is untouched when nothing matched.
// Interfaces whose path yields no instance string are skipped by both.
QUILLET_API int FindDevDrive(UsbDeviceSource& source, const wchar_t* instance, CString& drive);
// First removable drive, A to Z, whose mounted-devices value contains deviceKey ignoring case: its root
// ("E:\"), or empty. An empty key matches nothing.
QUILLET_API CString FindRemovableDrive(const CString& deviceKey, MountedDriveTable& table);

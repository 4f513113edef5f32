#include "DevDrive.h"

#include "CxWinApp.h"

#include <cfgmgr32.h>
#include <objbase.h>
#include <setupapi.h>

#include <cwchar>
#include <memory>

namespace {

// The system's USB device interface class.
constexpr GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};
constexpr const wchar_t* kUsbSetupClass = L"{36FC9E60-C465-11CF-8056-444553540000}";
constexpr const wchar_t* kVidMarker = L"#vid_";
// "#vid_", four digits, "&pid_", four digits and "#".
constexpr int kInstanceOffset = 19;
constexpr DWORD kDetailBufferSize = 1024;
constexpr DWORD kValueBufferSize = 1024;
constexpr ULONG kDeviceIdLength = 1000;
constexpr const wchar_t* kMountedDevicesKey = L"System\\MountedDevices";

// Frees a string that COM allocated.
struct CoTaskMemFreer {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// The present USB device interfaces, listed by the set-up API.
class SetupUsbDevices : public UsbDeviceSource {
public:
    SetupUsbDevices()
        : m_set(SetupDiGetClassDevsW(&kUsbDeviceInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
    {
    }
    ~SetupUsbDevices() override
    {
        if (IsOpen()) SetupDiDestroyDeviceInfoList(m_set);
    }
    SetupUsbDevices(const SetupUsbDevices&) = delete;
    SetupUsbDevices& operator=(const SetupUsbDevices&) = delete;

    bool IsOpen() const { return m_set != INVALID_HANDLE_VALUE; }

    bool GetInterface(DWORD index, CString& path, GUID& setupClass, DWORD& devInst) override
    {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(m_set, nullptr, &kUsbDeviceInterface, index, &interfaceData)) return false;
        // cbSize is the declared size of the detail record (6 bytes on 32-bit Windows, 8 on 64-bit, where the
        // record is padded), not the size of the buffer that holds the path.
        alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_W) BYTE buffer[kDetailBufferSize] = {};
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiGetDeviceInterfaceDetailW(m_set, &interfaceData, detail, kDetailBufferSize, nullptr, &device)) {
            return false;
        }
        path = detail->DevicePath;
        setupClass = device.ClassGuid;
        devInst = device.DevInst;
        return true;
    }

    CString GetDrive(DWORD devInst) override { return CxWinApp::GetDevPath(devInst); }

private:
    HDEVINFO m_set;
};

// The system's drive letters and its mounted-devices table.
class SystemDriveTable : public MountedDriveTable {
public:
    SystemDriveTable()
    {
        // Only values are read, so only query access is asked for.
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMountedDevicesKey, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    ~SystemDriveTable() override
    {
        if (m_key) RegCloseKey(m_key);
    }
    SystemDriveTable(const SystemDriveTable&) = delete;
    SystemDriveTable& operator=(const SystemDriveTable&) = delete;

    UINT QueryDriveType(const wchar_t* root) override { return GetDriveTypeW(root); }

    bool ReadValue(const wchar_t* valueName, BYTE* data, DWORD size) override
    {
        return m_key && RegQueryValueExW(m_key, valueName, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
};

}  // namespace

CString CutDevInstance(const wchar_t* interfacePath)
{
    CString path(interfacePath);
    int marker = path.Find(kVidMarker);
    if (marker < 0) return CString();
    int first = marker + kInstanceOffset;
    int last = path.ReverseFind(L'#');
    return last > first ? path.Mid(first, last - first) : CString();
}

CString MakeMountedDevKey(const wchar_t* deviceId)
{
    CString key(deviceId);
    key.Replace(L'\\', L'#');
    return key.MakeLower();
}

bool IsUsbSetupClass(const GUID& setupClass)
{
    wchar_t* text = nullptr;
    if (FAILED(StringFromCLSID(setupClass, &text))) return false;
    std::unique_ptr<wchar_t, CoTaskMemFreer> owner(text);
    return std::wcscmp(text, kUsbSetupClass) == 0;
}

int ListDevInstances(UsbDeviceSource& source, CStringArray& devices)
{
    int added = 0;
    CString path;
    GUID setupClass{};
    DWORD devInst = 0;
    for (DWORD index = 0; source.GetInterface(index, path, setupClass, devInst); ++index) {
        if (!IsUsbSetupClass(setupClass)) continue;
        CString instance = CutDevInstance(path);
        if (instance.IsEmpty()) continue;
        devices.Add(instance);
        ++added;
    }
    return added;
}

int FindDevDrive(UsbDeviceSource& source, const wchar_t* instance, CString& drive)
{
    if (!instance || !*instance) return 0;
    CString path;
    GUID setupClass{};
    DWORD devInst = 0;
    for (DWORD index = 0; source.GetInterface(index, path, setupClass, devInst); ++index) {
        if (!IsUsbSetupClass(setupClass) || CutDevInstance(path).Compare(instance) != 0) continue;
        drive = source.GetDrive(devInst);
        return drive.IsEmpty() ? 0 : 1;
    }
    return 0;
}

CString FindRemovableDrive(const CString& deviceKey, MountedDriveTable& table)
{
    // An empty key is contained in every value and would name the first removable drive of any device.
    if (deviceKey.IsEmpty()) return CString();
    CString wanted(deviceKey);
    wanted.MakeLower();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        CString root;
        root.Format(L"%c:\\", letter);
        if (table.QueryDriveType(root) != DRIVE_REMOVABLE) continue;
        CString valueName;
        valueName.Format(L"\\DosDevices\\%c:", letter);
        // The values are binary, without a terminator: a fresh zeroed buffer per letter, with one spare character
        // past the 1024 bytes read, ends every one of them.
        wchar_t value[kValueBufferSize / sizeof(wchar_t) + 1] = {};
        if (!table.ReadValue(valueName, reinterpret_cast<BYTE*>(value), kValueBufferSize)) continue;
        CString text(value);
        if (text.MakeLower().Find(wanted) >= 0) return root;
    }
    return CString();
}

int CxWinApp::GetDevPath(CStringArray& devices)
{
    SetupUsbDevices source;
    if (source.IsOpen()) ListDevInstances(source, devices);
    return 0;
}

int CxWinApp::GetDevPath(const wchar_t* instance, CString& drive)
{
    SetupUsbDevices source;
    return source.IsOpen() ? FindDevDrive(source, instance, drive) : 0;
}

CString CxWinApp::GetDevPath(DWORD devInst)
{
    // For a USB storage device the storage node that the volume names sits one or two levels below the device.
    DEVINST child = 0, grandchild = 0;
    if (CM_Get_Child(&child, devInst, 0) != CR_SUCCESS) return CString();
    DEVINST node = CM_Get_Child(&grandchild, child, 0) == CR_SUCCESS ? grandchild : child;
    // One character short of the buffer, so that an identifier of the full length stays terminated.
    wchar_t deviceId[kDeviceIdLength] = {};
    if (CM_Get_Device_IDW(node, deviceId, kDeviceIdLength - 1, 0) != CR_SUCCESS) return CString();
    SystemDriveTable table;
    return FindRemovableDrive(MakeMountedDevKey(deviceId), table);
}

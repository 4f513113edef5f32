// Device drive discovery: the matching rules fed with fabricated interface paths, set-up classes and
// mounted-devices values, and the real set-up API, which finds no USB device under Wine.
#include "app/CxWinApp.h"
#include "app/DevDrive.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr GUID kUsbClass = {0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr GUID kDiskClass = {0x4D36E967, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

CString UsbPath(const wchar_t* instance)
{
    return CString(L"\\\\?\\usb#vid_046d&pid_c52b#") + instance + L"#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
}

// A fabricated list of USB interfaces; each device node has the drive given for it.
class FakeUsbDevices : public UsbDeviceSource {
public:
    struct Device {
        CString path;
        GUID setupClass;
        DWORD devInst;
        CString drive;
    };
    explicit FakeUsbDevices(std::vector<Device> devices) : m_devices(std::move(devices)) {}

    bool GetInterface(DWORD index, CString& path, GUID& setupClass, DWORD& devInst) override
    {
        if (index >= m_devices.size()) return false;
        path = m_devices[index].path;
        setupClass = m_devices[index].setupClass;
        devInst = m_devices[index].devInst;
        return true;
    }
    CString GetDrive(DWORD devInst) override
    {
        askedNodes.push_back(devInst);
        for (const Device& device : m_devices) {
            if (device.devInst == devInst) return device.drive;
        }
        return CString();
    }

    std::vector<DWORD> askedNodes;

private:
    std::vector<Device> m_devices;
};

// Fabricated drive letters with their mounted-devices value bytes; records the values asked for.
class FakeDriveTable : public MountedDriveTable {
public:
    std::map<std::wstring, UINT> types;
    std::map<std::wstring, std::vector<BYTE>> values;
    std::vector<std::wstring> askedValues;

    void AddDrive(const wchar_t* root, UINT type, const std::wstring& text)
    {
        types[root] = type;
        std::vector<BYTE> bytes(text.size() * sizeof(wchar_t));
        std::memcpy(bytes.data(), text.data(), bytes.size());
        values[L"\\DosDevices\\" + std::wstring(root, 2)] = bytes;
    }

    UINT QueryDriveType(const wchar_t* root) override
    {
        auto found = types.find(root);
        return found == types.end() ? DRIVE_NO_ROOT_DIR : found->second;
    }
    bool ReadValue(const wchar_t* valueName, BYTE* data, DWORD size) override
    {
        askedValues.push_back(valueName);
        auto found = values.find(valueName);
        if (found == values.end() || found->second.size() > size) return false;
        std::memcpy(data, found->second.data(), found->second.size());
        return true;
    }
};

constexpr const wchar_t* kStorageKey = L"usbstor#disk&ven_x&prod_y&rev_1.00#123&0";

TEST(DevDrive, InstanceStringsDeviceKeysAndSetupClasses)
{
    EXPECT_EQ(CutDevInstance(UsbPath(L"5&2B6A1D2C&0&1")), CString(L"5&2B6A1D2C&0&1"));
    EXPECT_EQ(CutDevInstance(L"\\\\?\\usb#vid_046d&pid_c52b#A#B#{guid}"), CString(L"A#B"));
    // Paths the rule cannot cut give no instance instead of reading outside the text.
    EXPECT_EQ(CutDevInstance(L"\\\\?\\hid#VID_046D&PID_C52B#7&1#{guid}"), CString());
    EXPECT_EQ(CutDevInstance(L"\\\\?\\usb#vid_046d#{guid}"), CString());
    EXPECT_EQ(CutDevInstance(L"#vid_"), CString());

    EXPECT_EQ(MakeMountedDevKey(L"USBSTOR\\DISK&VEN_X&PROD_Y&REV_1.00\\123&0"), CString(kStorageKey));
    EXPECT_TRUE(IsUsbSetupClass(kUsbClass));
    EXPECT_FALSE(IsUsbSetupClass(kDiskClass));
}

TEST(DevDrive, ListAppendsUsbInstancesInEnumerationOrder)
{
    FakeUsbDevices devices({{UsbPath(L"ABC"), kUsbClass, 1, L""},
                            {UsbPath(L"DISK"), kDiskClass, 2, L""},
                            {L"\\\\?\\usb#root#{guid}", kUsbClass, 3, L""},
                            {UsbPath(L"XYZ"), kUsbClass, 4, L""}});
    CStringArray found;
    found.Add(L"kept");
    EXPECT_EQ(ListDevInstances(devices, found), 2);
    ASSERT_EQ(found.GetSize(), 3);
    EXPECT_EQ(found[0], CString(L"kept"));
    EXPECT_EQ(found[1], CString(L"ABC"));
    EXPECT_EQ(found[2], CString(L"XYZ"));
}

TEST(DevDrive, FindMatchesTheInstanceExactlyAndReportsItsDrive)
{
    FakeUsbDevices devices({{UsbPath(L"ABC"), kUsbClass, 11, L""},
                            {UsbPath(L"XYZ"), kDiskClass, 12, L"F:\\"},
                            {UsbPath(L"XYZ"), kUsbClass, 13, L"E:\\"}});
    CString drive = L"untouched";
    EXPECT_EQ(FindDevDrive(devices, L"xyz", drive), 0);
    EXPECT_EQ(FindDevDrive(devices, L"XY", drive), 0);
    EXPECT_EQ(FindDevDrive(devices, L"", drive), 0);
    EXPECT_EQ(FindDevDrive(devices, nullptr, drive), 0);
    EXPECT_EQ(drive, CString(L"untouched"));
    EXPECT_TRUE(devices.askedNodes.empty());

    // The disk-class interface with the same instance is passed over.
    EXPECT_EQ(FindDevDrive(devices, L"XYZ", drive), 1);
    EXPECT_EQ(drive, CString(L"E:\\"));
    EXPECT_EQ(devices.askedNodes, std::vector<DWORD>{13});

    // Found without a drive: the string is emptied and the answer is 0.
    EXPECT_EQ(FindDevDrive(devices, L"ABC", drive), 0);
    EXPECT_EQ(drive, CString());
}

TEST(DevDrive, RemovableScanTakesTheFirstRemovableLetterHoldingTheKey)
{
    FakeDriveTable table;
    const std::wstring stored = L"\\??\\USBSTOR#Disk&Ven_X&Prod_Y&Rev_1.00#123&0#{53f56307-b6bf-11d0-94f2}";
    table.AddDrive(L"C:\\", DRIVE_FIXED, stored);
    table.AddDrive(L"D:\\", DRIVE_CDROM, stored);
    table.AddDrive(L"E:\\", DRIVE_REMOVABLE, L"\\??\\USBSTOR#Disk&Ven_Other&Prod_Z#9&0");
    table.types[L"F:\\"] = DRIVE_REMOVABLE;  // no value stored: the read fails
    table.AddDrive(L"G:\\", DRIVE_REMOVABLE, stored);
    table.AddDrive(L"H:\\", DRIVE_REMOVABLE, stored);

    EXPECT_EQ(FindRemovableDrive(kStorageKey, table), CString(L"G:\\"));
    EXPECT_EQ(table.askedValues, (std::vector<std::wstring>{L"\\DosDevices\\E:", L"\\DosDevices\\F:",
                                                             L"\\DosDevices\\G:"}));
    EXPECT_EQ(FindRemovableDrive(CString(kStorageKey).MakeUpper(), table), CString(L"G:\\"));
    EXPECT_EQ(FindRemovableDrive(L"usbstor#disk&ven_x&prod_y&rev_2.00", table), CString());
}

TEST(DevDrive, RemovableScanStaysInsideUnterminatedAndLeftoverValues)
{
    FakeDriveTable table;
    // E: fills the whole 1024-byte buffer with no terminator; its key would only appear if the scan read on.
    table.AddDrive(L"E:\\", DRIVE_REMOVABLE, std::wstring(512, L'a'));
    // F: is short; a buffer reused from E: would still hold E:'s tail behind it.
    table.AddDrive(L"F:\\", DRIVE_REMOVABLE, L"b");
    // G: is too long for the buffer, so its read fails.
    table.AddDrive(L"G:\\", DRIVE_REMOVABLE, std::wstring(600, L'a'));

    EXPECT_EQ(FindRemovableDrive(std::wstring(512, L'a'), table), CString(L"E:\\"));
    EXPECT_EQ(FindRemovableDrive(std::wstring(513, L'a'), table), CString());
    EXPECT_EQ(FindRemovableDrive(L"baa", table), CString());
    // An empty key would be found in every value.
    EXPECT_EQ(FindRemovableDrive(L"", table), CString());
}

TEST(DevDrive, WithoutUsbDevicesTheSystemCallsChangeNothing)
{
    CStringArray devices;
    devices.Add(L"kept");
    EXPECT_EQ(CxWinApp::GetDevPath(devices), 0);
    ASSERT_EQ(devices.GetSize(), 1);
    EXPECT_EQ(devices[0], CString(L"kept"));

    CString drive = L"untouched";
    EXPECT_EQ(CxWinApp::GetDevPath(L"ABC", drive), 0);
    EXPECT_EQ(drive, CString(L"untouched"));

    // Wine's drives are all fixed, so no device node maps to a removable drive.
    EXPECT_EQ(CxWinApp::GetDevPath(DWORD(0)), CString());
}

}  // namespace

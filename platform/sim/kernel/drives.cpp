// The drives and their volumes.
#include "platform/sim/kernel/drives.h"

#include "platform/sim/user/process_faults.h"

#include "platform/api/kernel.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/string_out.h"
#include "platform/sim/kernel/paths.h"

#include <cctype>
#include <cstring>
#include <iterator>
#include <string>

namespace sim {

namespace {

constexpr SimulatedDrive drives[] = {
    { 'C', DRIVE_FIXED, true, "", 0x1C2E3A4Bu },
    { 'D', DRIVE_FIXED, true, "Data", 0x5D6E7F80u },
    { 'E', DRIVE_REMOVABLE, false, "", 0 },
};

// The drive a root path such as "C:\" names; nullptr for anything else.
const SimulatedDrive* drive_of_root(LPCSTR root_path)
{
    std::string root = root_path ? root_path : current_folder().substr(0, 3);
    if (root.size() < 2 || root[1] != ':' || (root.size() > 2 && root.substr(2) != "\\" && root.substr(2) != "/"))
        return nullptr;
    return find_drive(root[0]);
}

}

const SimulatedDrive* find_drive(char letter)
{
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (auto& drive : drives) {
        if (drive.letter == upper)
            return &drive;
    }
    return nullptr;
}

std::span<const SimulatedDrive> simulated_drives()
{
    return { drives, std::size(drives) };
}

}

DWORD WINAPI GetLogicalDrives(void)
{
    sim::ApiCall api_call;
    DWORD mask = 0;
    for (auto& drive : sim::simulated_drives())
        mask |= 1u << (drive.letter - 'A');
    return mask;
}

DWORD WINAPI GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer)
{
    sim::ApiCall api_call;
    // "C:\", "D:\", ... each ended by a zero, then the zero that ends the list.
    std::string roots;
    for (auto& drive : sim::simulated_drives()) {
        roots += drive.letter;
        roots += ":\\";
        roots += '\0';
    }
    DWORD length = static_cast<DWORD>(roots.size());
    if (!lpBuffer || nBufferLength < length + 1)
        return length + 1;
    std::memcpy(lpBuffer, roots.data(), length);
    lpBuffer[length] = '\0';
    return length;
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName)
{
    sim::ApiCall api_call;
    const sim::SimulatedDrive* drive = sim::drive_of_root(lpRootPathName);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

BOOL WINAPI GetVolumeInformationA(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
    LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength, LPDWORD lpFileSystemFlags,
    LPSTR lpFileSystemNameBuffer, DWORD nFileSystemNameSize)
{
    sim::ApiCall api_call;
    const sim::SimulatedDrive* drive = sim::drive_of_root(lpRootPathName);
    if (!drive)
        return sim::fail(lpRootPathName && std::strlen(lpRootPathName) == 3 ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME, FALSE);
    if (!drive->has_medium)
        return sim::fail(ERROR_NOT_READY, FALSE);
    constexpr std::string_view file_system = "NTFS";
    if ((lpVolumeNameBuffer && nVolumeNameSize < drive->label.size() + 1)
        || (lpFileSystemNameBuffer && nFileSystemNameSize < file_system.size() + 1))
        return sim::fail(ERROR_MORE_DATA, FALSE);
    if (lpVolumeNameBuffer)
        sim::copy_or_measure(drive->label, lpVolumeNameBuffer, nVolumeNameSize);
    if (lpFileSystemNameBuffer)
        sim::copy_or_measure(file_system, lpFileSystemNameBuffer, nFileSystemNameSize);
    if (lpVolumeSerialNumber)
        *lpVolumeSerialNumber = drive->serial_number;
    if (lpMaximumComponentLength)
        *lpMaximumComponentLength = 255;
    if (lpFileSystemFlags)
        *lpFileSystemFlags = 0x0000002F;
    return TRUE;
}

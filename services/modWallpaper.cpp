#include "services/modWallpaper.h"

#include "platform/win32.h"

void SetWallpaper(const std::string& Path)
{
    // The API takes a writable pointer but only reads the path.
    std::string path = Path;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

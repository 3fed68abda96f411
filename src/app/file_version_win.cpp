// The version resource of the running executable. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>

#include "app/file_version.h"

namespace quorvel {

void QueryFileVersion(uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build) {
    major = minor = release = build = 0;
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) return;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) return;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data())) return;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr) {
        return;
    }
    major = HIWORD(info->dwFileVersionMS);
    minor = LOWORD(info->dwFileVersionMS);
    release = HIWORD(info->dwFileVersionLS);
    build = LOWORD(info->dwFileVersionLS);
}

}  // namespace quorvel

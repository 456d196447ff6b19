// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in browser for Windows: records how it was started and ends.
// It writes, in UTF-8 with LF line ends, its command line as the system gave
// it, then each argument after its own name on a line of its own, to its own
// path with ".args" in place of ".exe". The file appears whole or not at all.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string utf8(const wchar_t *text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string bytes(size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(size_t(size) - 1);
    return bytes;
}

bool writeWhole(const std::wstring &path, const std::string &bytes)
{
    const std::wstring part = path + L".part";
    HANDLE file = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    ::CloseHandle(file);
    return ok && ::MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t self[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return 2;
    std::wstring path(self, length);
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && path.find_first_of(L"\\/", dot) == std::wstring::npos)
        path.resize(dot);
    path += L".args";

    const wchar_t *commandLine = ::GetCommandLineW();
    std::string record = utf8(commandLine) + "\n";
    int count = 0;
    wchar_t **arguments = ::CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return 3;
    for (int i = 1; i < count; ++i)
        record += utf8(arguments[i]) + "\n";
    ::LocalFree(arguments);
    return writeWhole(path, record) ? 0 : 1;
}

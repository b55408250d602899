// A program for sample discs that records that it ran: one line per run in launches.txt beside
// itself, with its command line and the environment it inherited (tamlo, and the marker the test
// gave the start menu). Used as a disc's program and as the shell's handler of test documents.

#include <windows.h>

#include <string>

namespace {

std::string Variable(const char* name) {
    char value[512] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string("(unset)");
}

// Wide: a program in a folder whose name the ANSI code page cannot hold still finds its log.
std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

int main() {
    std::string record = std::string("command=") + GetCommandLineA() +
                         "|tamlo=" + Variable("tamlo") + "|marker=" + Variable("VELVANE_MARKER") +
                         "\r\n";
    std::wstring log = OwnFolder() + L"launches.txt";
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}

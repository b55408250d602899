// Start-up benchmark, not a test: starts each program given on the command line in turn, ROUNDS
// times interleaved, and measures from CreateProcess to the first visible top-level window of
// the new process, and the process's peak private memory at that moment. Prints the median of
// each, the exe's size, and each program's ratio to the first (the yardstick).
//   startup_bench.exe ROUNDS NAME=PATH\TO\PROGRAM.exe [NAME=...]
// Each program starts in its own folder. The benchmark keeps a window of its own for the whole
// run, so that Wine's desktop process stays up between the runs instead of restarting each time.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Subject {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
    std::vector<double> peakPrivateKb;
};

struct Measurement {
    double milliseconds;
    double peakPrivateKb;
};

struct FindVisible {
    DWORD pid;
    bool found = false;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM state) {
    auto* find = reinterpret_cast<FindVisible*>(state);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == find->pid && IsWindowVisible(window)) {
        find->found = true;
        return FALSE;
    }
    return TRUE;
}

double Now(LARGE_INTEGER frequency) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// One start: nullopt when the program showed no window within 30 s.
std::optional<Measurement> StartOnce(const Subject& subject, LARGE_INTEGER frequency) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + subject.path + "\"";
    const std::string folder = FolderOf(subject.path);
    const double start = Now(frequency);
    if (!CreateProcessA(subject.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.c_str(), &startup, &process)) {
        return std::nullopt;
    }
    std::optional<Measurement> result;
    FindVisible find{process.dwProcessId};
    while (Now(frequency) - start < 30000.0) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&find));
        if (find.found)
            break;
        Sleep(1);
    }
    if (find.found) {
        const double elapsed = Now(frequency) - start;
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        result = Measurement{elapsed, static_cast<double>(memory.PeakPagefileUsage) / 1024.0};
    }
    // What the program does after its window shows is not measured: end it at once.
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench ROUNDS NAME=PROGRAM.exe [NAME=PROGRAM.exe...]\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    std::vector<Subject> subjects;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos)
            return 2;
        subjects.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}});
    }
    HWND resident = CreateWindowExA(0, "STATIC", "startup_bench", WS_POPUP, 0, 0, 1, 1, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // One unmeasured start each: the first run of a program pays for reading it from disk.
    for (const Subject& subject : subjects)
        StartOnce(subject, frequency);
    for (int round = 0; round < rounds; ++round) {
        for (Subject& subject : subjects) {
            std::optional<Measurement> measured = StartOnce(subject, frequency);
            if (!measured) {
                std::fprintf(stderr, "%s showed no window\n", subject.name.c_str());
                return 1;
            }
            subject.milliseconds.push_back(measured->milliseconds);
            subject.peakPrivateKb.push_back(measured->peakPrivateKb);
        }
    }
    const double yardstick = Median(subjects.front().milliseconds);
    std::printf("%-12s %10s %8s %14s %10s\n", "program", "start ms", "ratio", "peak private", "size");
    for (const Subject& subject : subjects) {
        const double ms = Median(subject.milliseconds);
        std::printf("%-12s %10.0f %8.2f %11.0f KB %7lld KB\n", subject.name.c_str(), ms,
                    yardstick > 0 ? ms / yardstick : 0.0, Median(subject.peakPrivateKb),
                    FileSize(subject.path) / 1024);
    }
    if (resident)
        DestroyWindow(resident);
    return 0;
}

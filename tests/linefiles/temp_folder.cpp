#include "temp_folder.h"

#include "app/ansi_text.h"
#include "app/pump_hook.h"

#include <string>

std::string CreateTempFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return {};
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring folder = std::wstring(temp) + L"velquor-lines-" +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return ToAnsi(folder);
    }
    return {};
}

// Calls visit(path, data) for every entry of folder except "." and "..".
template <typename Visit> static void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            visit(folder + L"\\" + name, found);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

static void RemoveTree(const std::wstring& folder) {
    ForEachEntry(folder, [](const std::wstring& path, const WIN32_FIND_DATAW& found) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileW(path.c_str());
    });
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

void RemoveTempFolder(const std::string& folder) {
    if (!folder.empty())
        RemoveTree(ToWide(folder));
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size();
    return CloseHandle(file) && wrote;
}

static std::string ReadWideFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::string ReadFileBytes(const std::string& path) {
    return ReadWideFile(ToWide(path));
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SystemRefusesWriting(const std::string& path) {
    const HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    return false;
}

static void AppendSnapshot(const std::wstring& folder, std::string& snapshot) {
    ForEachEntry(folder, [&](const std::wstring& path, const WIN32_FIND_DATAW& found) {
        snapshot += ToAnsi(path) + " " + std::to_string(found.dwFileAttributes) + "\n";
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AppendSnapshot(path, snapshot);
        else
            snapshot += ReadWideFile(path) + "\n";
    });
}

std::string FolderSnapshot(const std::string& folder) {
    std::string snapshot;
    AppendSnapshot(ToWide(folder), snapshot);
    return snapshot;
}

HeldFile::HeldFile(const std::string& path)
    : handle(CreateFileW(ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr)) {}

HeldFile::~HeldFile() {
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

static int PumpCalls = 0;

static void CountPumpCall() {
    ++PumpCalls;
}

CountedPump::CountedPump() {
    PumpCalls = 0;
    PumpHook = CountPumpCall;
}

CountedPump::~CountedPump() {
    PumpHook = nullptr;
}

int CountedPump::calls() const {
    return PumpCalls;
}

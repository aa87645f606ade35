#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// Creates a new, empty folder under the system's temp folder; returns its ANSI path without a
// trailing backslash, or an empty text when that fails.
std::string CreateTempFolder();

// Removes folder with everything in it, read-only, hidden and system entries too.
void RemoveTempFolder(const std::string& folder);

// Makes bytes the whole content of the file at path; false when that fails.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// The whole content of the file at path (empty when it cannot be read).
std::string ReadFileBytes(const std::string& path);

bool PathExists(const std::string& path);

// True when the system refuses to open the file at path for writing. Windows does so for a
// read-only file; Wine running as root does not, since root may write any Unix file.
bool SystemRefusesWriting(const std::string& path);

// Every entry under folder with its attributes and, for files, its content: two equal
// snapshots mean nothing in the folder was created, removed or changed.
std::string FolderSnapshot(const std::string& folder);

// Opens the file at path without sharing for as long as it lives, as another program would.
struct HeldFile {
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    HANDLE handle;
};

// Counts the calls of the window pump while it is installed.
struct CountedPump {
    CountedPump();
    ~CountedPump();
    CountedPump(const CountedPump&) = delete;
    CountedPump& operator=(const CountedPump&) = delete;
    int calls() const;
};

// A test that works in a fresh folder of its own, removed at its end.
class TempFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = CreateTempFolder();
        ASSERT_FALSE(folder.empty()) << "no temp folder";
    }
    void TearDown() override { RemoveTempFolder(folder); }
    // The path of name inside the folder; an empty name stands for the empty path.
    std::string PathOf(const std::string& name) const { return name.empty() ? name : folder + "\\" + name; }
    std::string folder;
};

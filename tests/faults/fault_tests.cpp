// Jobs that fail through the real program: each must tell the user with the right message, stop
// there, leave every file it found byte for byte as it was and leave no temporary file behind.
#include "tests/faults/fault_job.h"
#include "tests/faults/fault_texts.h"
#include "tests/gui/velquor_steps.h"
#include "tests/gui/velquor_ui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

using namespace gui;
using namespace faults;

namespace {

const std::string Input = "pera\r\nmanzana\r\n\r\nuva\r\n";
const std::string SortedInput = "manzana\r\npera\r\nuva\r\n";
constexpr long long InputLines = 3;
const std::string OldOutput = "viejo\r\ncontenido";

enum class Previous { Replaced, Appended }; // what the job does with an existing output file

// Starts the program and, for Appended, turns off the removal of a previous output file.
testing::AssertionResult StartWith(Session& session, Previous previous) {
    if (!steps::Start(session))
        return testing::AssertionFailure() << "the program did not start";
    return previous == Previous::Appended ? steps::ChangeSettings(session, -1, true)
                                          : testing::AssertionSuccess();
}

// Holds a file open without sharing, as another program can, until destroyed.
struct HeldOpen {
    explicit HeldOpen(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr)) {}
    ~HeldOpen() {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    HANDLE handle;
};

std::string ContentOf(const std::wstring& path) {
    std::string bytes;
    EXPECT_TRUE(ReadBytes(path, bytes)) << "cannot read the file back";
    return bytes;
}

void ExpectError(const JobEnd& end, const std::wstring& message, bool afterSaveDialog, const char* reason) {
    EXPECT_EQ(end.message, message) << reason;
    EXPECT_TRUE(end.errorIcon) << "an error shows the error icon: " << reason;
    EXPECT_TRUE(end.endedThere) << "no notice follows the error: " << reason;
    EXPECT_EQ(end.saveDialogShown, afterSaveDialog) << reason;
}

// An existing output file that the job finds in some state; the folder also holds the input.
struct OutputCase {
    const char* name;
    Previous previous;
    DWORD attributes;
    bool heldByAnother;
    bool written; // else the job must fail with the write error
    const char* reason;
};

const OutputCase OutputCases[] = {
    {"HeldWhileReplacing", Previous::Replaced, FILE_ATTRIBUTE_NORMAL, true, false,
     "a file another program holds open cannot be replaced"},
    {"HeldWhileAppending", Previous::Appended, FILE_ATTRIBUTE_NORMAL, true, false,
     "a file another program holds open cannot be appended to"},
    {"ReadOnlyAppended", Previous::Appended, FILE_ATTRIBUTE_READONLY, false, false,
     "a read-only file is never appended to"},
    {"ReadOnlyReplaced", Previous::Replaced, FILE_ATTRIBUTE_READONLY, false, true,
     "removing the previous output takes the read-only attribute away"},
    {"HiddenSystemReplaced", Previous::Replaced, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, true,
     "removing the previous output takes the hidden and system attributes away"},
};

void PrintTo(const OutputCase& c, std::ostream* out) {
    *out << c.name;
}

class OutputFault : public testing::TestWithParam<OutputCase> {};

TEST_P(OutputFault, LeavesTheOldFileOrReplacesItWhole) {
    const OutputCase& c = GetParam();
    Session session;
    ASSERT_TRUE(StartWith(session, c.previous));
    const std::wstring input = session.PathOf(L"lista.txt");
    const std::wstring output = session.PathOf(L"salida.txt");
    ASSERT_TRUE(WriteBytes(input, Input));
    ASSERT_TRUE(WriteBytes(output, OldOutput));
    ASSERT_TRUE(SetFileAttributesW(output.c_str(), c.attributes));
    const DWORD attributesBefore = GetFileAttributesW(output.c_str());
    JobEnd end;
    {
        const HeldOpen held(c.heldByAnother ? output : L"");
        ASSERT_EQ(held.handle != INVALID_HANDLE_VALUE, c.heldByAnother);
        ASSERT_TRUE(RunJob(session, input, output, end));
    }
    if (c.written) {
        EXPECT_EQ(end.message, ui::FinalNotice(InputLines)) << c.reason;
        EXPECT_FALSE(end.errorIcon) << "the final notice is a plain one";
        EXPECT_TRUE(end.endedThere) << c.reason;
        EXPECT_EQ(ContentOf(output), SortedInput) << c.reason;
        EXPECT_EQ(GetFileAttributesW(output.c_str()) & c.attributes, 0u) << "a plain new file: " << c.reason;
    } else {
        ExpectError(end, WriteFailedMessage(output), true, c.reason);
        EXPECT_EQ(ContentOf(output), OldOutput) << c.reason;
        EXPECT_EQ(GetFileAttributesW(output.c_str()), attributesBefore) << c.reason;
    }
    EXPECT_EQ(ContentOf(input), Input);
    EXPECT_EQ(SortedEntries(session.folder.path), (std::vector<std::wstring>{L"lista.txt", L"salida.txt"}))
        << "no temporary file is left: " << c.reason;
    EXPECT_TRUE(steps::Quit(session));
}

INSTANTIATE_TEST_SUITE_P(Faults, OutputFault, testing::ValuesIn(OutputCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InputFault, HeldInputStopsTheJobBeforeTheSaveDialog) {
    Session session;
    ASSERT_TRUE(StartWith(session, Previous::Replaced));
    const std::wstring input = session.PathOf(L"lista.txt");
    const std::wstring output = session.PathOf(L"salida.txt");
    ASSERT_TRUE(WriteBytes(input, Input));
    ASSERT_TRUE(WriteBytes(output, OldOutput));
    JobEnd end;
    {
        const HeldOpen held(input);
        ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(RunJob(session, input, output, end));
    }
    ExpectError(end, CannotOpenInputMessage(input), false,
                "a file that cannot be read is never sorted as empty");
    EXPECT_EQ(ContentOf(input), Input);
    EXPECT_EQ(ContentOf(output), OldOutput) << "the previous output is not removed";
    EXPECT_EQ(SortedEntries(session.folder.path), (std::vector<std::wstring>{L"lista.txt", L"salida.txt"}));
    EXPECT_TRUE(steps::Quit(session));
}

// Creates a file of size bytes that takes no room on a disk that keeps files sparse.
bool CreateLargeFile(const std::wstring& path, long long size) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    return CloseHandle(file) && sized;
}

TEST(InputFault, InputLargerThanMemoryFailsBeforeTheSaveDialog) {
    Session session;
    ASSERT_TRUE(StartWith(session, Previous::Replaced));
    const std::wstring input = session.PathOf(L"enorme.txt");
    const std::wstring output = session.PathOf(L"salida.txt");
    const long long size = 3584LL << 20; // 3.5 GB: more than a 32-bit process can ever hold
    ASSERT_TRUE(CreateLargeFile(input, size)) << "cannot create a large sparse file here";
    ASSERT_TRUE(WriteBytes(output, OldOutput));
    JobEnd end;
    ASSERT_TRUE(RunJob(session, input, output, end));
    ExpectError(end, NoMemoryMessage, false, "the input cannot be held in memory");
    EXPECT_EQ(ContentOf(output), OldOutput) << "the previous output is not removed";
    EXPECT_EQ(SortedEntries(session.folder.path), (std::vector<std::wstring>{L"enorme.txt", L"salida.txt"}));
    EXPECT_TRUE(steps::Quit(session));
}

// The folder of a small file system of its own, from the test's wrapper script; empty when the
// test runs without it.
std::wstring FullDiskFolder() {
    const char* folder = std::getenv("VELQUOR_SMALL_DISK_FOLDER");
    std::wstring wide;
    for (const char* c = folder ? folder : ""; *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

// Lines filling three quarters of what is free in folder, so that the file fits once but not
// twice: writing its sorted copy must run out of room in the middle.
std::string InputFillingMostOf(const std::wstring& folder) {
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr))
        return {};
    std::string bytes;
    for (unsigned line = 0; bytes.size() + 64 < free.QuadPart * 3 / 4; ++line)
        bytes += "linea " + std::to_string((line * 7919u) % 100003u) + std::string(40, 'x') + "\r\n";
    return bytes;
}

class SmallDiskFault : public testing::TestWithParam<Previous> {};

TEST_P(SmallDiskFault, SameFileAsInputAndOutputSurvivesAFullDisk) {
    const std::wstring folder = FullDiskFolder();
    if (folder.empty())
        GTEST_SKIP() << "needs the small file system that run_with_small_disk.sh mounts (as root)";
    Session session;
    ASSERT_TRUE(StartWith(session, GetParam()));
    const std::wstring file = folder + L"\\lista.txt";
    const std::string bytes = InputFillingMostOf(folder);
    ASSERT_FALSE(bytes.empty()) << "cannot tell the free space of the small file system";
    ASSERT_TRUE(WriteBytes(file, bytes));
    JobEnd end;
    const testing::AssertionResult ran = RunJob(session, file, file, end);
    const std::string after = ContentOf(file);
    const std::vector<std::wstring> entries = SortedEntries(folder);
    DeleteFileW(file.c_str());
    ASSERT_TRUE(ran);
    ExpectError(end, WriteFailedMessage(file), true, "the disk filled up while the output was written");
    EXPECT_TRUE(after == bytes) << "the input, chosen as output too, keeps every byte";
    EXPECT_EQ(entries, std::vector<std::wstring>{L"lista.txt"}) << "no temporary file is left";
    EXPECT_TRUE(steps::Quit(session));
}

INSTANTIATE_TEST_SUITE_P(Faults, SmallDiskFault, testing::Values(Previous::Replaced, Previous::Appended),
                         [](const auto& info) {
                             return std::string(info.param == Previous::Replaced ? "Replacing" : "Appending");
                         });

} // namespace

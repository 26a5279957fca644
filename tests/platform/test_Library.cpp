#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "vesk_FileVersion.h"
#include "vesk_Folders.h"
#include "vesk_Library.h"

extern char** environ;

namespace {

using namespace platform;
using platformtest::TEnvironmentOverride;
namespace fs = std::filesystem;

const std::string ProbeA = "libzelmarProbeA.so";
const std::string ProbeB = "libzelmarProbeB.so";
const std::string ListDir = ZELMAR_PROBE_LIST_DIR;
const std::string SystemDir = ZELMAR_PROBE_SYSTEM_DIR;
constexpr const char* ChildMarker = "ZELMAR_PLATFORM_TEST_CHILD";

int Origin(const TLibraryRef& library) {
    auto* origin = reinterpret_cast<int (*)()>(library.Proc("ProbeOrigin"));
    return origin != nullptr ? origin() : -1;
}

// Whether the library file is mapped into this process (asks without loading it).
bool IsLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return false;
    dlclose(handle);
    return true;
}

// The dynamic loader reads LD_LIBRARY_PATH when the process starts, so the system step is
// tested in a fresh copy of this program started with the probe's system folder on it.
int RunThisTestInChild(const std::string& test) {
    std::vector<std::string> settings = {std::string(ChildMarker) + "=1",
                                         "LD_LIBRARY_PATH=" + SystemDir};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string setting = *entry;
        if (setting.rfind("LD_LIBRARY_PATH=", 0) != 0 &&
            setting.rfind(std::string(LibrarySearchListVariable) + "=", 0) != 0)
            settings.push_back(setting);
    }
    std::vector<char*> env;
    for (auto& setting : settings) env.push_back(setting.data());
    env.push_back(nullptr);
    std::string program = GetProgramPath();
    std::string filter = "--gtest_filter=" + test;
    char* argv[] = {program.data(), filter.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, env.data()) != 0) return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct TExpected {
    const std::string& name;
    std::string folder;
    int origin;
};

void ExpectSearchChooses(const TExpected& expected) {
    SCOPED_TRACE(expected.name + " from " + expected.folder);
    const std::string path = FindLibraryFile(expected.name);
    EXPECT_EQ(path, (fs::path(expected.folder) / expected.name).string());
    TLibraryRef library(expected.name);
    ASSERT_TRUE(library) << LibraryError();
    EXPECT_EQ(Origin(library), expected.origin);
    // The file that was loaded is the one FindLibraryFile named.
    EXPECT_EQ(GetModulePath(library.Proc("ProbeOrigin")), path);
}

TEST(LibrarySearch, ProgramFolderThenSearchListThenSystem) {
    if (std::getenv(ChildMarker) == nullptr) {
        EXPECT_EQ(RunThisTestInChild("LibrarySearch.ProgramFolderThenSearchListThenSystem"), 0);
        return;
    }
    const std::string programDir = GetProgramFolder();
    {
        TEnvironmentOverride list(LibrarySearchListVariable, ListDir.c_str());
        ExpectSearchChooses({ProbeA, programDir, 1});
        ExpectSearchChooses({ProbeB, ListDir, 2});
    }
    {
        TEnvironmentOverride list(LibrarySearchListVariable, nullptr);
        ExpectSearchChooses({ProbeA, programDir, 1});
        ExpectSearchChooses({ProbeB, SystemDir, 3});
    }
    // The list is read at each search, so a folder put in front later wins at once.
    {
        TEnvironmentOverride list(LibrarySearchListVariable, nullptr);
        PrependToLibrarySearchList(ListDir);
        ExpectSearchChooses({ProbeB, ListDir, 2});
    }
}

TEST(LibrarySearch, SearchListIsReadAtEverySearch) {
    TEnvironmentOverride list(LibrarySearchListVariable, "/nonexistent:" ZELMAR_PROBE_LIST_DIR);
    EXPECT_EQ(FindLibraryFile(ProbeB), ListDir + "/" + ProbeB);
    TLibraryRef fromList(ProbeB);
    EXPECT_EQ(Origin(fromList), 2);

    unsetenv(LibrarySearchListVariable);
    if (std::getenv("LD_LIBRARY_PATH") == nullptr) {
        EXPECT_EQ(FindLibraryFile(ProbeB), "");
        TLibraryRef missing(ProbeB);
        EXPECT_FALSE(missing);
        EXPECT_NE(LibraryError().find(ProbeB), std::string::npos) << LibraryError();
    }
}

TEST(LibrarySearch, SystemLibraryIsFoundInTheStandardFolders) {
    const std::string path = FindLibraryFile("libc.so.6");
    ASSERT_FALSE(path.empty());
    TLibraryRef libc("libc.so.6");
    ASSERT_TRUE(libc) << LibraryError();
    const std::string loaded = GetModulePath(libc.Proc("strerror"));
    ASSERT_FALSE(loaded.empty());
    EXPECT_TRUE(fs::equivalent(path, loaded)) << path << " vs " << loaded;
}

TEST(LibrarySearch, NamesWithAFolderAreTakenAsTheyAre) {
    // The program folder holds its own copy of A, but a path names exactly one file.
    const std::string path = SystemDir + "/" + ProbeA;
    EXPECT_EQ(FindLibraryFile(path), path);
    EXPECT_EQ(FindLibraryFile(SystemDir + "/../probe-system/" + ProbeA), path);
    TLibraryRef library(path);
    EXPECT_EQ(Origin(library), 3);

    EXPECT_EQ(FindLibraryFile(SystemDir + "/libzelmarMissing.so"), "");
    EXPECT_EQ(FindLibraryFile(SystemDir), "");  // a folder is no library
    EXPECT_EQ(LoadLibrary(SystemDir + "/libzelmarMissing.so"), nullptr);
    EXPECT_FALSE(LibraryError().empty());
    EXPECT_EQ(LoadLibrary(""), nullptr);
    EXPECT_EQ(LoadLibrary(std::string("libzelmarProbeA.so\0/x", 21)), nullptr);
    EXPECT_EQ(FindLibraryFile(""), "");
}

TEST(LibraryHandles, ExportsAreLookedUpByName) {
    TLibraryRef library(SystemDir + "/" + ProbeA);
    ASSERT_TRUE(library);
    EXPECT_NE(GetProcAddress(library.Handle(), "ProbeOrigin"), nullptr);
    EXPECT_TRUE(LibraryError().empty());
    EXPECT_EQ(GetProcAddress(library.Handle(), "NoSuchExport"), nullptr);
    EXPECT_NE(LibraryError().find("NoSuchExport"), std::string::npos) << LibraryError();
    EXPECT_EQ(GetProcAddress(nullptr, "ProbeOrigin"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(LibraryHandles, ReferenceFreesItsLibraryOnce) {
    const std::string path = ListDir + "/" + ProbeA;
    ASSERT_FALSE(IsLoaded(path));
    {
        TLibraryRef first(path);
        ASSERT_TRUE(first);
        TLibraryRef second(std::move(first));
        EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): moved-from is empty by contract
        EXPECT_EQ(Origin(second), 2);
        TLibraryRef third;
        third = std::move(second);
        EXPECT_TRUE(IsLoaded(path));
        third = TLibraryRef(SystemDir + "/" + ProbeB);  // the old library goes first
        EXPECT_FALSE(IsLoaded(path));
        EXPECT_EQ(Origin(third), 3);
    }
    EXPECT_FALSE(IsLoaded(SystemDir + "/" + ProbeB));
}

TEST(LibrarySearchList, PrependKeepsOneSeparatorAndSkipsEmptyFolders) {
    TEnvironmentOverride list(LibrarySearchListVariable, nullptr);
    EXPECT_EQ(PrependToLibrarySearchList(""), "");
    EXPECT_EQ(std::getenv(LibrarySearchListVariable), nullptr);
    EXPECT_EQ(PrependToLibrarySearchList("/opt/b"), "/opt/b:");
    EXPECT_EQ(PrependToLibrarySearchList("/opt/a:"), "/opt/a:/opt/b:");
    EXPECT_EQ(PrependToLibrarySearchList(""), "/opt/a:/opt/b:");
    EXPECT_STREQ(std::getenv(LibrarySearchListVariable), "/opt/a:/opt/b:");
    EXPECT_EQ(PrependToLibrarySearchList("/opt/vesk Shared"), "/opt/vesk Shared:/opt/a:/opt/b:");

    setenv(LibrarySearchListVariable, "::/x::/y:", 1);
    EXPECT_EQ(LibrarySearchFolders(), (std::vector<std::string>{"/x", "/y"}));
}

TEST(FileVersionOfLibraries, VersionsFollowTheSearch) {
    // What the library check does: find the file without loading it, then read its version.
    TEnvironmentOverride list(LibrarySearchListVariable, ZELMAR_PROBE_LIST_DIR);
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
    ASSERT_TRUE(GetFileVersion(FindLibraryFile(ProbeA), ms, ls));
    EXPECT_EQ(ms, 0x00010001u);  // 1.1
    EXPECT_EQ(ls, 0x000B0000u);  // 11.0
    ASSERT_TRUE(GetFileVersion(ListDir + "/" + ProbeA, ms, ls));
    EXPECT_EQ(ms, 0x00010001u);
    EXPECT_EQ(ls, 0x000A03E7u);  // 10.999
    ASSERT_TRUE(GetFileVersion(SystemDir + "/" + ProbeB, ms, ls));
    EXPECT_EQ(ms, 0xFFFFFFFFu);
    EXPECT_EQ(ls, 0xFFFFFFFFu);
    EXPECT_FALSE(IsLoaded(ListDir + "/" + ProbeA));

    ms = ls = 7;
    EXPECT_FALSE(GetFileVersion(FindLibraryFile(ProbeB), ms, ls));  // B in the list: no note
    EXPECT_EQ(ms, 0u);
    EXPECT_EQ(ls, 0u);
}

TEST(Folders, ProgramAndModulePaths) {
    const std::string program = GetProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(fs::path(program).is_absolute());
    EXPECT_TRUE(fs::equivalent(program, "/proc/self/exe"));
    EXPECT_EQ(GetProgramFolder(), fs::path(program).parent_path().string());
    // Code of the test program itself is reported as the program, not as argv[0].
    EXPECT_EQ(GetModulePath(reinterpret_cast<const void*>(&RunThisTestInChild)), program);
    EXPECT_EQ(GetModulePath(nullptr), "");
    EXPECT_EQ(GetCommonFilesFolder(),
              (fs::path(ZELMAR_TEST_INSTALL_PREFIX) / "lib").lexically_normal().string());
    EXPECT_STREQ(SharedFolderName, "vesk Shared");
}

}  // namespace

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "vesk_FileVersion.h"
#include "vesk_Folders.h"
#include "vesk_Library.h"

namespace {

using namespace platform;
namespace fs = std::filesystem;

const std::string ProbeA = "libzelmarProbeA.so", ProbeB = "libzelmarProbeB.so";
const std::string ListDir = ZELMAR_PROBE_LIST_DIR, SystemDir = ZELMAR_PROBE_SYSTEM_DIR;

int Origin(const TLibraryRef& library) {
    auto* origin = reinterpret_cast<int (*)()>(library.Proc("ProbeOrigin"));
    return origin != nullptr ? origin() : -1;
}

// The loader reads LD_LIBRARY_PATH at process start: the system step is tested in a fresh
// copy of this program that has the probe's system folder on it.
int RunInChild(const std::string& test) {
    return std::system(("ZELMAR_PLATFORM_CHILD=1 LD_LIBRARY_PATH='" + SystemDir + "' '" +
                        GetProgramPath() + "' --gtest_filter=" + test)
                           .c_str());
}

// The search picks the copy in the folder; FindLibraryFile names the file LoadLibrary then
// loads, and the version check reads that file's note (versionLS 0: none).
void ExpectChosen(const std::string& name, const std::string& folder, int origin,
                  std::uint32_t versionLS) {
    SCOPED_TRACE(name + " from " + folder);
    const std::string path = FindLibraryFile(name);
    EXPECT_EQ(path, folder + "/" + name);
    std::uint32_t ms = 0, ls = 0;
    EXPECT_EQ(GetFileVersion(path, ms, ls), versionLS != 0);
    EXPECT_EQ(ls, versionLS);
    TLibraryRef library(name);
    EXPECT_EQ(Origin(library), origin) << LibraryError();
    EXPECT_EQ(GetModulePath(library.Proc("ProbeOrigin")), path);
}

TEST(LibrarySearch, ProgramFolderThenSearchListThenSystem) {
    if (std::getenv("ZELMAR_PLATFORM_CHILD") == nullptr) {
        EXPECT_EQ(RunInChild("LibrarySearch.ProgramFolderThenSearchListThenSystem"), 0);
        return;
    }
    unsetenv(LibrarySearchListVariable);
    ExpectChosen(ProbeA, GetProgramFolder(), 1, 0x000B0000);        // 1.1.11.0
    ExpectChosen(ProbeB, SystemDir, 3, 0xFFFFFFFF);                 // 65535.65535.65535.65535
    EXPECT_EQ(PrependToLibrarySearchList(ListDir), ListDir + ":");  // read at every search
    ExpectChosen(ProbeA, GetProgramFolder(), 1, 0x000B0000);
    ExpectChosen(ProbeB, ListDir, 2, 0);
    std::uint32_t ms = 0, ls = 0;
    EXPECT_TRUE(GetFileVersion(ListDir + "/" + ProbeA, ms, ls));
    EXPECT_EQ(ms, 0x00010001u);
    EXPECT_EQ(ls, 0x000A03E7u);  // 1.1.10.999
}

TEST(LibrarySearch, PathsSystemLibrariesAndMissingOnes) {
    const std::string libc = FindLibraryFile("libc.so.6");
    TLibraryRef loaded("libc.so.6");
    EXPECT_TRUE(fs::equivalent(libc, GetModulePath(loaded.Proc("strerror")))) << libc;

    TLibraryRef byPath(SystemDir + "/../probe-system/" + ProbeA);
    EXPECT_EQ(Origin(byPath), 3);  // a path is taken as it is
    EXPECT_EQ(FindLibraryFile(SystemDir + "/../probe-system/" + ProbeA), SystemDir + "/" + ProbeA);
    unsetenv(LibrarySearchListVariable);
    for (const std::string& name : {std::string("libzelmarMissing.so"), SystemDir, std::string(),
                                    std::string("libzelmarProbeA.so\0/", 20)}) {
        EXPECT_EQ(FindLibraryFile(name), "");
        EXPECT_EQ(LoadLibrary(name), nullptr);
        EXPECT_NE(LibraryError(), "");
    }
    EXPECT_EQ(GetProcAddress(byPath.Handle(), "NoSuchExport"), nullptr);
    EXPECT_NE(LibraryError().find("NoSuchExport"), std::string::npos);
}

TEST(LibrarySearch, PrependKeepsOneSeparator) {
    unsetenv(LibrarySearchListVariable);
    EXPECT_EQ(PrependToLibrarySearchList(""), "");
    EXPECT_EQ(PrependToLibrarySearchList("/opt/b"), "/opt/b:");
    EXPECT_EQ(PrependToLibrarySearchList("/opt/vesk Shared:"), "/opt/vesk Shared:/opt/b:");
    EXPECT_STREQ(std::getenv(LibrarySearchListVariable), "/opt/vesk Shared:/opt/b:");
    EXPECT_EQ(LibrarySearchFolders(), (std::vector<std::string>{"/opt/vesk Shared", "/opt/b"}));
    unsetenv(LibrarySearchListVariable);
}

TEST(Folders, ProgramAndModulePaths) {
    const std::string program = GetProgramPath();
    EXPECT_TRUE(fs::equivalent(program, "/proc/self/exe"));
    EXPECT_EQ(GetProgramFolder(), fs::path(program).parent_path().string());
    // The program's own code is reported as the program, not as its argv[0].
    EXPECT_EQ(GetModulePath(reinterpret_cast<const void*>(&RunInChild)), program);
    EXPECT_EQ(GetCommonFilesFolder(),
              fs::path(ZELMAR_TEST_INSTALL_PREFIX "/lib").lexically_normal().string());
}

}  // namespace

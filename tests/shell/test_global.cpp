#include <gtest/gtest.h>

#include <QLocale>
#include <cstdlib>
#include <string>

#include "Zelmar_Global.h"
#include "Zelmar_Translater.h"

namespace {

std::string TestLibrary(const std::string& folder, const std::string& file) {
    return std::string(ZELMAR_TEST_LIBRARIES) + "/" + folder + "/" + file;
}

// Resolves each chemistry library to the given folder, or to nothing for a missing one.
auto ResolveIn(std::string routines, std::string viewer, std::string search) {
    return [=](const std::string& file) -> std::string {
        const std::string& folder = file == ChemRoutinesLibrary ? routines
                                    : file == ChemViewerLibrary ? viewer
                                                                : search;
        return folder.empty() ? std::string() : TestLibrary(folder, file);
    };
}

}  // namespace

TEST(CommandLine, OpenValueKeepsItsCaseAndTheLastArgumentWins) {
    EXPECT_EQ(GetCommandLineParameter({"/open=/Data/Mixed Case.sdf"}, "/OPEN="),
              "/Data/Mixed Case.sdf");
    EXPECT_EQ(GetCommandLineParameter({"/OPEN=/a.sdf", "x", "/Open=/b.sdf"}, "/OPEN="), "/b.sdf");
    EXPECT_EQ(GetCommandLineParameter({"/OPENX=a.sdf"}, "/OPEN="), "");
    EXPECT_EQ(GetCommandLineParameter({}, "/OPEN="), "");
    // No length limit: a long path names the same file.
    const std::string longPath = "/" + std::string(600, 'p') + ".sdf";
    EXPECT_EQ(GetCommandLineParameter({"/OPEN=" + longPath}, "/OPEN="), longPath);
}

TEST(CommandLine, SwitchMustEqualTheWholeArgument) {
    EXPECT_TRUE(HasCommandLineSwitch({"a", "/noxpstyle"}, "/NOXPSTYLE"));
    EXPECT_TRUE(HasCommandLineSwitch({"/NoXpStyle"}, "/noxpstyle"));
    EXPECT_FALSE(HasCommandLineSwitch({"/NOXPSTYLE=1"}, "/NOXPSTYLE"));
    EXPECT_FALSE(HasCommandLineSwitch({}, "/NOXPSTYLE"));
}

TEST(CommandLine, EveryArgumentButTheThreeSwitchesNamesAFileInItsOrder) {
    const TCommandLine args = {
        "/open=/a.sdf", "b.sdf",        "/LNG=en", "/NoXpStyle",   "/data/c.sdf", "",
        "/OPENX=d.sdf", "/NOXPSTYLE=1", "/lng",    "sub dir/e.SDF"};
    EXPECT_EQ(GetFileArguments(args),
              (std::vector<std::string>{"b.sdf", "/data/c.sdf", "/OPENX=d.sdf", "/NOXPSTYLE=1",
                                        "/lng", "sub dir/e.SDF"}));
    EXPECT_TRUE(GetFileArguments({"/OPEN=", "/lng=", "/noxpstyle"}).empty());
    // Plain file arguments leave the "/OPEN=" value as it was.
    EXPECT_EQ(GetCommandLineParameter(args, "/OPEN="), "/a.sdf");
}

TEST(CommandLine, LanguageFromLocaleOrCommandLine) {
    const std::string locale = GetUserLanguageAbbreviation();
    EXPECT_GE(locale.size(), 2u);
    // The first two letters name the language as the dictionaries do: DEU under a German
    // system, never GER.
    if (QLocale::system().language() != QLocale::C) {
        EXPECT_EQ(locale.substr(0, 2), QLocale::system().name().left(2).toUpper().toStdString());
    }
    EXPECT_EQ(GetLanguage({"/LNG=english"}, true), "ENGLISH");
    EXPECT_EQ(GetLanguage({"/LNG="}, true), locale);
    EXPECT_EQ(GetLanguage({"/LNG=fr"}, false), locale);
}

TEST(LibraryCheck, CurrentLibrariesPassWhateverTheirBuildNumber) {
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("current", "current", "current")), "");
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("newer", "current", "current")), "");
}

TEST(LibraryCheck, OutdatedLibraryNamesTheLeastVersion) {
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("outdated", "current", "current")),
              "Your version of libveskChemRoutines.so is outdated. To run Zelmar, you need "
              "version 1.1.11 or later");
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("current", "outdated", "current")),
              "Your version of libveskChemViewer.so is outdated. To run Zelmar, you need "
              "version 1.1.19 or later");
}

TEST(LibraryCheck, LibrariesAreCheckedInOrderAndTheFirstFailureCounts) {
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("current", "", "current")),
              "The file version of libveskChemViewer.so could not be verified. Make sure that "
              "the file exists and that you have the permission to access it");
    EXPECT_EQ(VerifyLibraryVersions(ResolveIn("current", "current", "")),
              "The file version of libveskChemSearch.so could not be verified. Make sure that "
              "the file exists and that you have the permission to access it");
    // The routines library fails first even when the viewer is missing too.
    EXPECT_NE(VerifyLibraryVersions(ResolveIn("outdated", "", "")).find("libveskChemRoutines.so"),
              std::string::npos);
}

TEST(LibraryCheck, VersionStringOfAStampedAndOfAnUnreadableFile) {
    EXPECT_EQ(GetFileVersionString(TestLibrary("outdated", ChemRoutinesLibrary)), "1.1.10");
    EXPECT_EQ(GetFileVersionString("/no/such/file"), "Unbekannte Dateiversion");
}

TEST(SearchPath, SharedFolderGoesFirst) {
    const std::string shared = GetSharedFolder();
    ASSERT_NE(shared.find("/vesk Shared"), std::string::npos);
    const std::string list = ExpandSearchPath();
    EXPECT_EQ(list.rfind(shared, 0), 0u) << list;
    const char* variable = std::getenv("ZELMAR_LIBRARY_PATH");
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(std::string(variable), list);
}

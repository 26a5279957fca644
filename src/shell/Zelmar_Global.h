#pragma once
// Program-wide helpers of the shell: command line, language, library search path and the
// version check of the three chemistry libraries. Qt-free apart from the locale lookup.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TCommandLine = std::vector<std::string>;  // the arguments, without the program name

// The file names of the chemistry libraries; messages that name a library name these files.
extern const char* const ChemRoutinesLibrary;  // "libveskChemRoutines.so"
extern const char* const ChemViewerLibrary;    // "libveskChemViewer.so"
extern const char* const ChemSearchLibrary;    // "libveskChemSearch.so"

// The value behind the last argument that begins with the prefix (compared without regard
// to case), or empty; at most 255 characters. The value keeps its case: file names on this
// platform are case-sensitive.
std::string GetCommandLineParameter(const TCommandLine& args, const std::string& prefix);

// True if an argument equals the switch, without regard to case.
bool HasCommandLineSwitch(const TCommandLine& args, const std::string& commandSwitch);

// True for the program's own switches, in any case: "/OPEN=" and "/LNG=" with their values,
// and "/NOXPSTYLE". Every other argument names a file (an absolute path starts with "/" too).
bool IsCommandLineSwitch(const std::string& arg);

// The plain file arguments in their order: every argument that is no switch and not empty.
std::vector<std::string> GetFileArguments(const TCommandLine& args);

// The system locale's abbreviated language name ("DEU", "ENU", "FRA", ...).
std::string GetUserLanguageAbbreviation();

// The locale's abbreviation, or the "/LNG=" value when useCommandLine is set and it is given.
std::string GetLanguage(const TCommandLine& args, bool useCommandLine);

// "<common files folder>/vesk Shared".
std::string GetSharedFolder();

// Puts the shared folder in front of the program's library search list; returns the new list.
std::string ExpandSearchPath();

// The full path from which a library would be loaded, or empty.
std::string GetLibraryPath(const std::string& libraryName);

// "major.minor.release", or the translated "Unknown file version".
std::string GetFileVersionString(const std::string& path);

struct TRequiredLibrary {
    const char* FileName;
    std::uint16_t Major, Minor, Release;
    const char* NotVerifiedMessage;  // stored message (scope key, "##", native text)
    const char* OutdatedMessage;     // with %s for the least version
};

// The libraries in the order they are checked: routines, viewer, search.
const std::vector<TRequiredLibrary>& RequiredLibraries();

// Checks the libraries in order and returns the translated message of the first failure,
// or empty when all are present and recent enough. The resolver maps a library file name
// to the path it would be loaded from (GetLibraryPath unless a caller knows better).
std::string VerifyLibraryVersions(
    const std::function<std::string(const std::string&)>& resolve = GetLibraryPath);

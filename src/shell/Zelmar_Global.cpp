#include "Zelmar_Global.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <cctype>
#include <tuple>

#include "Zelmar_Translater.h"
#include "vesk_FileVersion.h"
#include "vesk_Folders.h"
#include "vesk_Guard.h"
#include "vesk_Library.h"
#include "vesk_Trace.h"

const char* const ChemRoutinesLibrary = "libveskChemRoutines.so";
const char* const ChemViewerLibrary = "libveskChemViewer.so";
const char* const ChemSearchLibrary = "libveskChemSearch.so";

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           UpperCase(text.substr(0, prefix.size())) == UpperCase(prefix);
}

// printf-style substitution of one %s in a translated message.
std::string FormatMessage(const std::string& format, const std::string& argument) {
    const auto pos = format.find("%s");
    if (pos == std::string::npos) return format;
    return format.substr(0, pos) + argument + format.substr(pos + 2);
}

}  // namespace

std::string GetCommandLineParameter(const TCommandLine& args, const std::string& prefix) {
    std::string value;
    GuardedVoid("TZelmar_FormMain.GetCommandLineParameter", [&] {
        for (const auto& arg : args) {
            if (StartsWithNoCase(arg, prefix)) value = arg.substr(prefix.size());
        }
    });
    return value;
}

bool HasCommandLineSwitch(const TCommandLine& args, const std::string& commandSwitch) {
    return Guarded("TZelmar_FormMain.GetCommandLineParameter", false, [&] {
        const std::string wanted = UpperCase(commandSwitch);
        return std::any_of(args.begin(), args.end(),
                           [&](const std::string& arg) { return UpperCase(arg) == wanted; });
    });
}

bool IsCommandLineSwitch(const std::string& arg) {
    return StartsWithNoCase(arg, "/OPEN=") || StartsWithNoCase(arg, "/LNG=") ||
           UpperCase(arg) == "/NOXPSTYLE";
}

std::vector<std::string> GetFileArguments(const TCommandLine& args) {
    std::vector<std::string> files;
    GuardedVoid("TZelmar_FormMain.GetFileArguments", [&] {
        for (const auto& arg : args) {
            if (!arg.empty() && !IsCommandLineSwitch(arg)) files.push_back(arg);
        }
    });
    return files;
}

std::string GetUserLanguageAbbreviation() {
    return Guarded("TZelmar_FormMain.GetUserLanguageAbbreviation", std::string(), [] {
        // Three letters as the ISO 639-2 terminology code (DEU, FRA, ENG; the bibliographic
        // GER and FRE would not start with the language's two letters); only the first two
        // choose the language. The C locale of a bare system counts as English.
        const QLocale locale = QLocale::system();
        if (locale.language() == QLocale::C) return std::string("ENU");
        QString code = QLocale::languageToCode(locale.language(), QLocale::ISO639Part2T);
        if (code.isEmpty()) code = locale.name().left(2);
        return code.toUpper().left(5).toStdString();
    });
}

std::string GetLanguage(const TCommandLine& args, bool useCommandLine) {
    std::string language;
    GuardedVoid("TZelmar_FormMain.GetLanguage", [&] {
        language = GetUserLanguageAbbreviation();
        if (!useCommandLine) return;
        // The language code is read upper-cased, unlike file names.
        const std::string fromCommandLine = UpperCase(GetCommandLineParameter(args, "/LNG="));
        if (!fromCommandLine.empty()) language = fromCommandLine;
    });
    return language;
}

std::string GetSharedFolder() {
    return Guarded("TZelmar_FormMain.GetSharedFolder", std::string(), [] {
        const std::string common = platform::GetCommonFilesFolder();
        return common.empty() ? std::string() : common + "/" + platform::SharedFolderName;
    });
}

std::string ExpandSearchPath() {
    return Guarded("TZelmar_FormMain.ExpandSearchPath", std::string(), [] {
        const std::string folder = GetSharedFolder();
        if (folder.empty()) return std::string();
        const std::string list = platform::PrependToLibrarySearchList(folder);
        TraceMessage("TZelmar_FormMain.ExpandSearchPath", tlInformation,
                     "Search path expanded to: %s", list.c_str());
        return list;
    });
}

std::string GetLibraryPath(const std::string& libraryName) {
    return Guarded("TZelmar_FormMain.GetLibraryPath", std::string(),
                   [&] { return platform::FindLibraryFile(libraryName); });
}

std::string GetFileVersionString(const std::string& path) {
    return Guarded("TZelmar_FormMain.GetFileVersionString", std::string(), [&] {
        std::uint32_t ms = 0, ls = 0;
        if (!GetFileVersion(path, ms, ls))
            return LoadTranslatedText("Zelmar_FormMain##  Unbekannte Dateiversion");
        return std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." +
               std::to_string(ls >> 16);
    });
}

const std::vector<TRequiredLibrary>& RequiredLibraries() {
    static const std::vector<TRequiredLibrary> libraries = {
        {ChemRoutinesLibrary, 1, 1, 11,
         "Zelmar_FormMain##  The file version of libveskChemRoutines.so could not be verified. "
         "Make sure that the file exists and that you have the permission to access it",
         "Zelmar_FormMain##  Your version of libveskChemRoutines.so is outdated. To run Zelmar, "
         "you need version %s or later"},
        {ChemViewerLibrary, 1, 1, 19,
         "Zelmar_FormMain##  The file version of libveskChemViewer.so could not be verified. "
         "Make sure that the file exists and that you have the permission to access it",
         "Zelmar_FormMain##  Your version of libveskChemViewer.so is outdated. To run Zelmar, "
         "you need version %s or later"},
        {ChemSearchLibrary, 1, 6, 3,
         "Zelmar_FormMain##  The file version of libveskChemSearch.so could not be verified. "
         "Make sure that the file exists and that you have the permission to access it",
         "Zelmar_FormMain##  Your version of libveskChemSearch.so is outdated. To run Zelmar, "
         "you need version %s or later"},
    };
    return libraries;
}

std::string VerifyLibraryVersions(const std::function<std::string(const std::string&)>& resolve) {
    const std::string generalFailure = LoadTranslatedText(
        "Zelmar_FormMain##  The file versions of the necessary runtime libraries could not be "
        "verified");
    return Guarded("TZelmar_FormMain.CheckLibraryVersions", generalFailure, [&] {
        for (const auto& library : RequiredLibraries()) {
            std::uint32_t ms = 0, ls = 0;
            const std::string path = resolve(library.FileName);
            if (!GetFileVersion(path, ms, ls))
                return LoadTranslatedText(library.NotVerifiedMessage);
            // Where a library comes from is the first question when an installation misbehaves.
            TraceMessage("TZelmar_FormMain.CheckLibraryVersions", tlInformation,
                         "%s %u.%u.%u found at %s", library.FileName, unsigned(ms >> 16),
                         unsigned(ms & 0xFFFF), unsigned(ls >> 16), path.c_str());
            // The build number does not count.
            const auto found = std::make_tuple(ms >> 16, ms & 0xFFFF, ls >> 16);
            const auto least = std::make_tuple<std::uint32_t, std::uint32_t, std::uint32_t>(
                library.Major, library.Minor, library.Release);
            if (found < least) {
                const std::string least_text = std::to_string(library.Major) + "." +
                                               std::to_string(library.Minor) + "." +
                                               std::to_string(library.Release);
                return FormatMessage(LoadTranslatedText(library.OutdatedMessage), least_text);
            }
        }
        return std::string();
    });
}

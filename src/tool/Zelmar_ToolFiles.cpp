#include "Zelmar_ToolFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "Zelmar_TableExport.h"
#include "Zelmar_ToolTexts.h"
#include "vesk_ChemRoutines.h"

namespace fs = std::filesystem;

namespace {

// Load errors listed one by one; the rest only counted.
constexpr std::size_t kListedLoadErrors = 10;

std::string TemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// A new empty file named after the pattern's XXXXXX; its descriptor, or -1.
int MakeTemporary(std::string& path) {
    const int fd = ::mkstemp(path.data());
    if (fd >= 0) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return fd;
}

bool CopyFileTo(const std::string& path, std::FILE* out) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) return false;
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        if (got > 0 && std::fwrite(buffer.data(), 1, got, out) != got) ok = false;
        if (got < buffer.size() || !ok) break;
    }
    ok = ok && !std::ferror(in);
    std::fclose(in);
    return ok && std::fflush(out) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error)) return true;
    // A target that does not exist yet can still name an input by another spelling.
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error) && !error;
}

}  // namespace

// ---- progress -------------------------------------------------------------------------------

TZelmarToolProgress::TZelmarToolProgress()
    : FEnabled(::isatty(STDERR_FILENO) == 1), FStart(std::chrono::steady_clock::now()) {}

TZelmarToolProgress::~TZelmarToolProgress() {
    Done();
}

bool TZelmarToolProgress::Show(const std::string& what, int percent) {
    if (!FEnabled || percent == FLastPercent) return true;
    if (std::chrono::steady_clock::now() - FStart < std::chrono::seconds(1)) return true;
    FLastPercent = percent;
    FShown = true;
    std::fprintf(stderr, "\r%s %3d %%\033[K", what.c_str(), std::clamp(percent, 0, 100));
    std::fflush(stderr);
    return true;
}

void TZelmarToolProgress::Done() {
    if (FShown) std::fprintf(stderr, "\r\033[K");
    FShown = false;
    FLastPercent = -1;
}

// ---- reading --------------------------------------------------------------------------------

TZelmarToolSheet::~TZelmarToolSheet() {
    FList.reset();
    if (!FTemporaryFile.empty()) ::unlink(FTemporaryFile.c_str());
}

void TZelmarToolSheet::CopyToTemporaryFile(const std::string& from, bool standardInput) {
    // The sheet's reader goes through the file twice (counting, then reading): a pipe is
    // kept in a file of its own first.
    std::string path = TemporaryFolder() + "/zelmar-tool-XXXXXX";
    const int fd = MakeTemporary(path);
    if (fd < 0)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Datei \"%s\" kann nicht gelesen werden: %s",
                     {FShownName, std::strerror(errno)}));
    FTemporaryFile = path;
    const int in = standardInput ? STDIN_FILENO : ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    int readError = in < 0 ? errno : 0;
    std::vector<char> buffer(1 << 20);
    while (readError == 0) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) readError = errno;
        if (got <= 0) break;
        if (!ZelmarWriteAll(fd, std::string_view(buffer.data(), static_cast<std::size_t>(got))))
            readError = errno;
    }
    if (!standardInput && in >= 0) ::close(in);
    ::close(fd);
    if (readError != 0)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Datei \"%s\" kann nicht gelesen werden: %s",
                     {FShownName, std::strerror(readError)}));
    FPath = path;
}

void TZelmarToolSheet::Load(const std::string& fileName, TZelmarToolProgress& progress) {
    const bool standardInput = fileName == "-";
    FShownName = standardInput ? ToolText("ZelmarTool##  Standardeingabe") : fileName;
    FPath = fileName;
    if (!standardInput) {
        struct stat st {};
        if (::stat(fileName.c_str(), &st) != 0) {
            if (errno == ENOENT)
                throw TZelmarToolError(
                    ToolText("ZelmarTool##  Die Datei \"%s\" gibt es nicht.", {FShownName}));
            throw TZelmarToolError(
                ToolText("ZelmarTool##  Die Datei \"%s\" kann nicht gelesen werden: %s",
                         {FShownName, std::strerror(errno)}));
        }
        if (S_ISDIR(st.st_mode))
            throw TZelmarToolError(
                ToolText("ZelmarTool##  \"%s\" ist ein Ordner, keine SD-Datei.", {FShownName}));
        if (::access(fileName.c_str(), R_OK) != 0)
            throw TZelmarToolError(
                ToolText("ZelmarTool##  Die Datei \"%s\" kann nicht gelesen werden: %s",
                         {FShownName, std::strerror(errno)}));
        if (!S_ISREG(st.st_mode)) CopyToTemporaryFile(fileName, false);
    } else {
        CopyToTemporaryFile(fileName, true);
    }

    // What the sheet's reader would only report as "no records": told plainly.
    {
        std::FILE* in = std::fopen(FPath.c_str(), "rb");
        unsigned char head[2] = {0, 0};
        const std::size_t got = in != nullptr ? std::fread(head, 1, 2, in) : 0;
        if (in != nullptr) std::fclose(in);
        if (got == 0)
            throw TZelmarToolError(
                ToolText("ZelmarTool##  Die Datei \"%s\" ist leer.", {FShownName}));
        if (got == 2 && head[0] == 0x1F && head[1] == 0x8B)
            throw TZelmarToolError(ToolText(
                "ZelmarTool##  Die Datei \"%s\" ist mit gzip gepackt. Bitte zuerst entpacken "
                "(gunzip).",
                {FShownName}));
    }

    FList = std::make_unique<TZelmarSDFileDataList>(&FUi);
    // The worker's events come here through the queue this thread pumps, as in a window.
    FList->PostWorkerEvents = true;
    const std::string reading = ToolText("ZelmarTool##  Lesen:") + " " + FShownName;
    FList->OnIndexingProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(reading, percent / 2);
    };
    FList->OnLoadDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(reading, 50 + percent / 2);
    };
    if (!FList->LoadFile(FPath)) {
        const std::string error = FList->GetLastError();
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Datei \"%s\" kann nicht gelesen werden: %s",
                     {FShownName, error.empty() ? "?" : error}));
    }
    while (!FList->GetLoadFinished()) FUi.WaitAndProcess(std::chrono::milliseconds(5));
    FUi.ProcessPending();
    FList->OnIndexingProgress = nullptr;
    FList->OnLoadDataProgress = nullptr;
    progress.Done();
    if (FList->GetCount() == 0 || FList->GetLoadedCount() == 0) {
        std::string error = FList->GetLastError();
        // The reader names the file it read: for standard input that is the tool's copy.
        for (std::size_t at = 0;
             FPath != FShownName && (at = error.find(FPath, at)) != std::string::npos;
             at += FShownName.size())
            error.replace(at, FPath.size(), FShownName);
        std::string message = ToolText(
            "ZelmarTool##  Die Datei \"%s\" enthält keinen lesbaren SD-Datensatz.", {FShownName});
        if (!error.empty()) message += " (" + error + ")";
        throw TZelmarToolError(message);
    }
    CollectLoadErrors();
}

void TZelmarToolSheet::CollectLoadErrors() {
    const TZelmarRecordRefs* errors = FList->GetLoadErrors();
    if (errors == nullptr || errors->IsEmpty()) return;
    // Records hold their bytes as the file does, one after another: a record's first line is
    // one past the line breaks of the records before it.
    std::vector<long long> firstLine(static_cast<std::size_t>(FList->GetCount()), 1);
    long long line = 1;
    for (int i = 0; i < FList->GetCount(); ++i) {
        firstLine[static_cast<std::size_t>(i)] = line;
        const std::string_view text = FList->GetSDFileData(i)->Texts().OrgText();
        line += std::count(text.begin(), text.end(), '\n');
    }
    for (const auto& item : *errors) {
        const int index = FList->GetIndexOfSDFileData(item.Object);
        if (index < 0) continue;
        FLoadErrors.push_back({index + 1, firstLine[static_cast<std::size_t>(index)], item.Text});
    }
    std::sort(FLoadErrors.begin(), FLoadErrors.end(),
              [](const auto& a, const auto& b) { return a.Record < b.Record; });
}

void TZelmarToolSheet::ReportLoadErrors() const {
    if (FLoadErrors.empty()) return;
    std::cerr << "zelmar-tool: "
              << ToolText(
                     "ZelmarTool##  %s: %s Datensätze konnten nicht gelesen werden und "
                     "bleiben unverändert erhalten.",
                     {FShownName, std::to_string(FLoadErrors.size())})
              << "\n";
    for (std::size_t i = 0; i < FLoadErrors.size() && i < kListedLoadErrors; ++i) {
        const TZelmarToolLoadError& error = FLoadErrors[i];
        std::cerr << "zelmar-tool: "
                  << ToolText("ZelmarTool##  %s: Datensatz %s (Zeile %s): %s",
                              {FShownName, std::to_string(error.Record), std::to_string(error.Line),
                               error.Reason})
                  << "\n";
    }
}

std::string TZelmarToolSheet::Encoding() const {
    return FList->HasWindows1252Text() ? "windows-1252" : "utf-8";
}

std::string ToolFieldName(const TZelmarField* field) {
    return ZelmarExportColumnName(field);
}

std::vector<std::string> TZelmarToolSheet::FieldNames() {
    std::vector<std::string> names;
    for (int i = 0; i < FList->GetFieldCount(); ++i) {
        const std::string name = ToolFieldName(FList->GetField(i));
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

TZelmarField* TZelmarToolSheet::FieldByName(const std::string& name) {
    TZelmarField* field = nullptr;
    if (name == "formula") {
        field = FList->GetFieldByName(kFieldNameFormula);
    } else if (name == "weight") {
        field = FList->GetFieldByName(kFieldNameMolweight);
    } else if (name == "molecule") {
        field = FList->GetChemistryField();
    } else if (name == "smiles" || name == "inchi" || name == "inchikey") {
        // The sheet's identifier columns, shown only when asked for.
        const TZelmarFieldKind kind = name == "smiles"  ? ecsdtSmiles
                                      : name == "inchi" ? ecsdtInchi
                                                        : ecsdtInchiKey;
        FList->ShowIdentifierColumn(kind, true);
        field = FList->GetIdentifierField(kind);
    } else {
        field = FList->GetFieldByName(name);
        if (field != nullptr && field->Kind != ecsdtDataText) field = nullptr;
    }
    if (field != nullptr) return field;
    std::string known;
    for (const std::string& each : FieldNames()) known += (known.empty() ? "" : ", ") + each;
    throw TZelmarToolError(
        ToolText("ZelmarTool##  Das Feld \"%s\" gibt es in \"%s\" nicht. Felder: %s",
                 {name, FShownName, known}));
}

// ---- writing --------------------------------------------------------------------------------

void CheckOutputFile(const std::string& out, const std::vector<std::string>& inputs) {
    if (out == "-") return;
    for (const std::string& input : inputs)
        if (input != "-" && SameFile(out, input))
            throw TZelmarToolError(ToolText(
                "ZelmarTool##  Die Ausgabedatei \"%s\" ist auch eine Eingabedatei und wird nicht "
                "überschrieben.",
                {out}));
    struct stat st {};
    if (::stat(out.c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode))
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Ausgabedatei \"%s\" ist ein Ordner.", {out}));
    // Also for root, who could write it anyway: a protected file is not to be replaced.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(out.c_str(), W_OK) != 0)
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Ausgabedatei \"%s\" ist schreibgeschützt.", {out}));
}

void WriteSDFile(TZelmarSDFileDataList& list, const std::string& out,
                 TZelmarToolProgress& progress) {
    const bool standardOutput = out == "-";
    std::string target = out;
    if (standardOutput) {
        // Written whole first, so that a failure sends nothing half-done down the pipe.
        target = TemporaryFolder() + "/zelmar-tool-XXXXXX";
        const int fd = MakeTemporary(target);
        if (fd < 0)
            throw TZelmarToolError(
                ToolText("ZelmarTool##  Die Datei \"%s\" konnte nicht geschrieben werden: %s",
                         {out, std::strerror(errno)}));
        ::close(fd);
    }
    std::string failure;
    list.OnSaveDataError = [&](TZelmarSDFileDataList*, const std::string&, bool isRecordError,
                               const std::string& error, int index) {
        failure = isRecordError ? ToolText("ZelmarTool##  Datensatz %s: %s",
                                           {std::to_string(index + 1), error})
                                : error;
        return false;  // a record is never left out
    };
    const std::string writing = ToolText("ZelmarTool##  Schreiben:") + " " + out;
    list.OnSaveDataProgress = [&](TZelmarSDFileDataList*, int percent) {
        return progress.Show(writing, percent);
    };
    const bool saved = list.SaveFile(target);
    list.OnSaveDataError = nullptr;
    list.OnSaveDataProgress = nullptr;
    progress.Done();
    bool copied = true;
    if (standardOutput) {
        if (saved) copied = CopyFileTo(target, stdout);
        ::unlink(target.c_str());
    }
    if (!saved || !copied) {
        if (failure.empty()) failure = list.GetLastError();
        if (!copied) failure = std::strerror(errno);
        throw TZelmarToolError(
            ToolText("ZelmarTool##  Die Datei \"%s\" konnte nicht geschrieben werden: %s",
                     {out, failure.empty() ? "?" : failure}));
    }
}

void WriteTextFile(const std::string& text, const std::string& out) {
    auto fail = [&](int error) {
        return TZelmarToolError(
            ToolText("ZelmarTool##  Die Datei \"%s\" konnte nicht geschrieben werden: %s",
                     {out, std::strerror(error)}));
    };
    if (out == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0)
            throw fail(errno);
        return;
    }
    int error = 0;
    if (!ZelmarWriteFileWhole(out, text, error)) throw fail(error);
}

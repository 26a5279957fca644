#pragma once
// zelmar-tool run as a real process, and the sheet's own operations on the same files to hold
// its results against.

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Collation.h"
#include "ZelmarTestTempDir.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Dispatcher.h"

inline std::string SharedFile(const std::string& name) {
    return std::string(ZELMAR_SDF_DATA_DIR) + "/" + name;
}

inline bool SharedFilesThere() {
    return std::ifstream(SharedFile("MANIFEST.tsv")).good();
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct TToolRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the tool with the arguments (each quoted for the shell), standard input from a file
// when given, in a locale (LANG and LC_ALL; "C" unless told), after the shell prefix (such as
// The tool runs in the C locale with English messages, so it sorts texts by the English
// collation; the core's operations the tests hold it against do the same.
inline const bool kCollationAsTheTool = (SetCollationLanguage("EN"), true);

// a ulimit).
inline TToolRun RunTool(const TTestTempDir& dir, const std::vector<std::string>& args,
                        const std::string& input = std::string(), const std::string& locale = "C",
                        const std::string& shellPrefix = "") {
    std::string command =
        shellPrefix + "LANG=" + locale + " LC_ALL=" + locale + " " + Quoted(ZELMAR_TOOL_PATH);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += input.empty() ? " </dev/null" : " <" + Quoted(input);
    command += " >" + Quoted(dir.Path("run.out")) + " 2>" + Quoted(dir.Path("run.err"));
    const int status = std::system(command.c_str());
    TToolRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadBytes(dir.Path("run.out"));
    run.Err = ReadBytes(dir.Path("run.err"));
    return run;
}

// A record list that has read the file as a sheet window has it read.
struct TSheetList {
    platform::TQueuedUiDispatcher Ui;
    std::unique_ptr<TZelmarSDFileDataList> List = std::make_unique<TZelmarSDFileDataList>(&Ui);

    explicit TSheetList(const std::string& file) {
        if (!List->LoadFile(file)) return;
        while (!List->GetLoadFinished()) Ui.WaitAndProcess(std::chrono::milliseconds(2));
        Ui.ProcessPending();
    }
    TZelmarField* Field(const std::string& name) const {
        if (name == "formula") return List->GetFieldByName(kFieldNameFormula);
        if (name == "weight") return List->GetFieldByName(kFieldNameMolweight);
        if (name == "molecule") return List->GetChemistryField();
        return List->GetFieldByName(name);
    }
};

// What saving the list writes.
inline std::string SavedBytes(TZelmarSDFileDataList& list, const TTestTempDir& dir) {
    const std::string path = dir.Path("expected.sdf");
    if (!list.SaveFile(path)) return "save failed: " + list.GetLastError();
    return ReadBytes(path);
}

// What a result sheet holding the records writes.
inline std::string SavedBytes(const TZelmarRecordRefs& records, const TTestTempDir& dir) {
    TZelmarSDFileDataList result(nullptr);
    result.Assign(records);
    return SavedBytes(result, dir);
}

// The records of an SD text, each up to and with its "$$$$" line.
inline std::vector<std::string> Records(const std::string& sd) {
    std::vector<std::string> records;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < sd.size();) {
        std::size_t end = sd.find('\n', pos);
        end = end == std::string::npos ? sd.size() : end + 1;
        if (sd.compare(pos, 4, "$$$$") == 0) {
            records.push_back(sd.substr(start, end - start));
            start = end;
        }
        pos = end;
    }
    if (start < sd.size()) records.push_back(sd.substr(start));
    return records;
}

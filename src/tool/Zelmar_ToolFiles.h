#pragma once
// The command line's files: an SD file read into a record list exactly as a sheet reads it,
// and a record list written through the sheet's writer. Every failure becomes one message
// naming the file (TZelmarToolError), which main turns into exit status 2.

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Dispatcher.h"

// Bad use or bad input: the message is shown as it is.
class TZelmarToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Per cent of a long job on standard error, only when it is a terminal and the job has run
// for more than a second.
class TZelmarToolProgress {
public:
    TZelmarToolProgress();
    ~TZelmarToolProgress();
    // False never: the tool's jobs are not stopped halfway.
    bool Show(const std::string& what, int percent);
    void Done();

private:
    bool FEnabled = false;
    bool FShown = false;
    int FLastPercent = -1;
    std::chrono::steady_clock::time_point FStart;
};

// A record that could not be read: 1-based record number and line of its first line.
struct TZelmarToolLoadError {
    int Record = 0;
    long long Line = 0;
    std::string Reason;
};

class TZelmarToolSheet {
public:
    TZelmarToolSheet() = default;
    ~TZelmarToolSheet();
    TZelmarToolSheet(const TZelmarToolSheet&) = delete;
    TZelmarToolSheet& operator=(const TZelmarToolSheet&) = delete;

    // Reads the file ("-": standard input, read to its end first) completely, as a sheet's
    // loading does. Throws TZelmarToolError for a file that is missing, a folder, empty,
    // compressed, unreadable or without a single readable record.
    void Load(const std::string& fileName, TZelmarToolProgress& progress);

    TZelmarSDFileDataList& List() { return *FList; }
    // The name as the user gave it, for messages.
    const std::string& ShownName() const { return FShownName; }
    // The path read: the file, or the copy of standard input.
    const std::string& Path() const { return FPath; }
    // The records that could not be read, in file order (computed once, before any reordering).
    const std::vector<TZelmarToolLoadError>& LoadErrors() const { return FLoadErrors; }
    // One line for the count and one per record (the first few) on standard error.
    void ReportLoadErrors() const;
    // "utf-8", or "windows-1252" when some record's bytes are not UTF-8.
    std::string Encoding() const;
    // A field by the name the command line uses: formula, weight, molecule or a data field's
    // name. Throws naming the file and its fields when there is none.
    TZelmarField* FieldByName(const std::string& name);
    // The names the command line knows the sheet's fields by, in the sheet's order.
    std::vector<std::string> FieldNames();

private:
    void CopyToTemporaryFile(const std::string& from, bool standardInput);
    void CollectLoadErrors();

    platform::TQueuedUiDispatcher FUi;
    std::unique_ptr<TZelmarSDFileDataList> FList;
    std::string FShownName;
    std::string FPath;
    std::string FTemporaryFile;
    std::vector<TZelmarToolLoadError> FLoadErrors;
};

// The command line's name of a field: "formula", "weight", "molecule" or the data field's name;
// empty for the check box.
std::string ToolFieldName(const TZelmarField* field);

// Refuses, before any work, an output that is an input, a folder or a read-only file.
void CheckOutputFile(const std::string& out, const std::vector<std::string>& inputs);

// Writes the list's records to out ("-": standard output) through the sheet's writer: records
// keep their bytes, and a file takes the place of out only when it is complete.
void WriteSDFile(TZelmarSDFileDataList& list, const std::string& out,
                 TZelmarToolProgress& progress);

// Writes the bytes to out ("-": standard output), out replaced only when complete.
void WriteTextFile(const std::string& text, const std::string& out);

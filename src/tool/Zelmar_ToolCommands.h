#pragma once
// The commands of zelmar-tool. Each takes the arguments after its name and returns the exit
// status: 0 done, 1 nothing found (the output then holds no records); bad use and bad input
// throw TZelmarToolError (status 2). Each does what the matching command of a sheet does, on
// the same record list, engine and writer.

#include <string>
#include <vector>

using TZelmarToolArgs = std::vector<std::string>;

int RunToolInfo(const TZelmarToolArgs& args);    // Zelmar_ToolReports.cpp
int RunToolExport(const TZelmarToolArgs& args);  // Zelmar_ToolReports.cpp
int RunToolSort(const TZelmarToolArgs& args);
int RunToolSearch(const TZelmarToolArgs& args);
int RunToolDuplicates(const TZelmarToolArgs& args);
int RunToolMix(const TZelmarToolArgs& args);

// JSON string literal of stored bytes (shown as UTF-8, as the sheet shows them).
std::string ToolJsonString(const std::string& bytes);

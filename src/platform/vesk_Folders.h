#pragma once
// Where the program, its modules and the shared libraries live. Paths carry no trailing '/'.

#include <string>

namespace platform {

// The shared libraries' folder name under the common files folder.
extern const char* const SharedFolderName;

// Full path of the running program's file; empty if the system does not tell.
std::string GetProgramPath();
// The folder holding the program's file; empty if unknown.
std::string GetProgramFolder();
// Full path of the file (program or library) that holds the given address; empty if none.
std::string GetModulePath(const void* addressInModule);
// The folder for files shared by the maker's programs: <install prefix>/lib.
std::string GetCommonFilesFolder();

}  // namespace platform

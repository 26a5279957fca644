#pragma once
// The file version of a program or library, read from its ELF version note without loading
// the file. The note (see cmake/ZelmarVersion.cmake): an SHT_NOTE section named
// ".note.vesk.version" holding one note with name "vesk", type 1 and 8 bytes of description:
// four 16-bit numbers in the file's byte order: major, minor, release, build.

#include <cstdint>
#include <string>

// True and versionMS = major << 16 | minor, versionLS = release << 16 | build if the file
// carries the note. False and both words 0 if the file is missing, not ELF, truncated,
// damaged, has no note, or anything else fails. The file is untrusted input.
bool GetFileVersion(const std::string& path, std::uint32_t& versionMS, std::uint32_t& versionLS);

#pragma once
// The linguistic order of texts for sorting. Under a locale of the user (LC_COLLATE other
// than C) the C library's collation of that locale; under the C locale the ICU collation of
// the interface language, so that "acetaldehyde" does not follow every capital letter; byte
// order only when neither is there. Case counts (lower before upper of the same letter). The
// texts' bytes are read as the sheet shows them (UTF-8, else Windows-1252). Qt-free; sorting
// from any thread.

#include <cstdint>
#include <string>
#include <string_view>

// The language (two-letter code, "de", "en", "fr"; any case) whose collation the C locale
// uses; empty for none (byte order under the C locale).
void SetCollationLanguage(std::string_view code);

// Whether texts compare by their bytes alone.
bool CollationIsByteOrder();
// -1, 0, 1 in linguistic order; 0 also for different texts the collation calls equal.
int CollateTexts(const std::string& a, const std::string& b);
// The same with letter case set aside (the order natural order compares words in first).
int CollateTextsIgnoringCase(const std::string& a, const std::string& b);
// The first eight bytes of the text's sort key, big-endian: keys order as CollateTexts does
// wherever they differ.
std::uint64_t CollationPrefix(const std::string& text);

// The tools' JSON lines carry a decimal point in every locale. A Qt application sets the C
// library's locale from the environment (LANG=de_DE.UTF-8 makes printf write "0,5"), so each
// tool that makes one puts the numbers back to "C" right after.
#pragma once

#include <clocale>

inline void KeepNumbersMachineReadable() {
    std::setlocale(LC_NUMERIC, "C");
}

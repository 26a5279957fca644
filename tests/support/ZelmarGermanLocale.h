// The C library's locale set to German while the object lives, as QApplication sets it from
// LANG=de_DE.UTF-8: printf writes "0,5" and strtod stops at a point. Numbers the program
// writes or reads must not change with it.
#pragma once

#include <clocale>
#include <string>

class TZelmarGermanLocale {
public:
    TZelmarGermanLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        FSaved = current != nullptr ? current : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                FActive = true;
                break;
            }
        }
    }
    ~TZelmarGermanLocale() { std::setlocale(LC_ALL, FSaved.c_str()); }
    TZelmarGermanLocale(const TZelmarGermanLocale&) = delete;
    TZelmarGermanLocale& operator=(const TZelmarGermanLocale&) = delete;

    // False when the locale is not installed (scripts/install-deps.sh generates it).
    bool Active() const { return FActive; }
    static constexpr const char* kMissing =
        "de_DE.UTF-8 is not installed: run scripts/install-deps.sh (locale-gen)";

private:
    std::string FSaved;
    bool FActive = false;
};

#pragma once
// Qt's own texts (file dialogs, standard buttons, the edit boxes' context menus) in the
// interface language, from the translations Qt ships. The program's dictionary covers only
// its own texts.

#include <string>

// Installs Qt's translation for the language code ("DE", "EN", "FR"; Spanish uses the
// German texts, as the program's dictionary does) in place of the one installed before;
// English removes it. False when the language has no Qt translation on this system.
bool UseQtTranslations(const std::string& language);

#pragma once
// The program-wide message boxes: error, warning and information with an OK button, and a
// yes/no question. Texts are stored messages; they pass through LoadTranslatedText here.

#include <string>

class QWidget;

class TMessageBoxes {
public:
    void ShowError(const std::string& message) const;
    void ShowWarning(const std::string& message) const;
    void ShowInformation(const std::string& message) const;
    // True when the user answers Yes.
    bool AskQuestion(const std::string& message) const;
};

// The one instance, alive for the whole run.
const TMessageBoxes& MessageBoxes();

#pragma once
// The program-wide message boxes: error, warning and information with an OK button, and a
// yes/no question, and the save question of a closing document. Texts are stored messages;
// they pass through LoadTranslatedText here.

#include <string>

class QWidget;

// The answers to the save question; closing the box or Esc is Cancel.
enum class TSaveAnswer { Save, Discard, Cancel };

class TMessageBoxes {
public:
    void ShowError(const std::string& message) const;
    void ShowWarning(const std::string& message) const;
    void ShowInformation(const std::string& message) const;
    // True when the user answers Yes.
    bool AskQuestion(const std::string& message) const;
    // True for OK; Cancel, Esc and closing the box answer false.
    bool AskOkCancel(const std::string& message) const;
    // Save / Don't save / Cancel, in the interface language.
    TSaveAnswer AskSave(const std::string& message) const;
};

// The one instance, alive for the whole run.
const TMessageBoxes& MessageBoxes();

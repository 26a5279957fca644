#pragma once
// The user's settings that outlive a session, in one place over QSettings: for each file, the
// kinds and the natural order the user chose for its columns. The core gets them as plain
// field flags.

#include <string>

class TZelmarField;
class TZelmarSDFileDataList;

namespace zelmarSettings {

// Keeps the field's kind (when the user chose one) and natural order for the file.
void SaveColumnChoice(const std::string& fileName, const TZelmarField& field);
// Gives the list's data fields the choices kept for the file.
void ApplyColumnChoices(const std::string& fileName, TZelmarSDFileDataList& list);

}  // namespace zelmarSettings

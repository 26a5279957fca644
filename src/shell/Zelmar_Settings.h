#pragma once
// The user's settings that outlive a session, in one place over QSettings: the files opened
// last, and for each file the kinds and the natural order the user chose for its columns. The
// core gets them as plain field flags.

#include <string>
#include <vector>

class TZelmarField;
class TZelmarSDFileDataList;

namespace zelmarSettings {

// Keeps the field's kind (when the user chose one) and natural order for the file.
void SaveColumnChoice(const std::string& fileName, const TZelmarField& field);
// Gives the list's data fields the choices kept for the file.
void ApplyColumnChoices(const std::string& fileName, TZelmarSDFileDataList& list);

// The height of the structure pictures the user zoomed to; 0 when never zoomed.
int PictureHeight();
void SavePictureHeight(int height);

// The files opened or saved last, the newest first, at most kRecentFiles, as absolute paths.
constexpr int kRecentFiles = 10;
std::vector<std::string> RecentFiles();
void AddRecentFile(const std::string& fileName);

}  // namespace zelmarSettings

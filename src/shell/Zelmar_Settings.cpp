#include "Zelmar_Settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

namespace zelmarSettings {

namespace {

// A file's group: its absolute path, encoded so that its slashes make no subgroups.
QString FileGroup(const std::string& fileName) {
    const QString path = QFileInfo(QString::fromStdString(fileName)).absoluteFilePath();
    return QStringLiteral("Columns/") + QString::fromLatin1(QUrl::toPercentEncoding(path));
}

QString FieldKey(const TZelmarField& field, const char* what) {
    return QString::fromLatin1(QByteArray::fromStdString(field.Name).toPercentEncoding()) +
           QLatin1Char('/') + QLatin1String(what);
}

// The user's settings file of the program (~/.config/Zelmar/Zelmar.conf).
const char* const kOrganisation = "Zelmar";
const char* const kApplication = "Zelmar";

}  // namespace

void SaveColumnChoice(const std::string& fileName, const TZelmarField& field) {
    GuardedVoid("zelmarSettings.SaveColumnChoice", [&] {
        if (fileName.empty() || field.Kind != ecsdtDataText) return;
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        settings.beginGroup(FileGroup(fileName));
        if (field.KindChosen)
            settings.setValue(FieldKey(field, "kind"),
                              field.Numeric ? QStringLiteral("number") : QStringLiteral("text"));
        settings.setValue(FieldKey(field, "natural"), field.NaturalOrder);
    });
}

void ApplyColumnChoices(const std::string& fileName, TZelmarSDFileDataList& list) {
    GuardedVoid("zelmarSettings.ApplyColumnChoices", [&] {
        if (fileName.empty()) return;
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        settings.beginGroup(FileGroup(fileName));
        if (settings.childGroups().isEmpty()) return;
        for (int i = 0; i < list.GetFieldCount(); ++i) {
            TZelmarField* field = list.GetField(i);
            if (field == nullptr || field->Kind != ecsdtDataText) continue;
            const QString kind = settings.value(FieldKey(*field, "kind")).toString();
            if (!kind.isEmpty()) {
                field->Numeric = kind == QLatin1String("number");
                field->KindChosen = true;
            }
            field->NaturalOrder = settings.value(FieldKey(*field, "natural"), false).toBool();
        }
    });
}

int PictureHeight() {
    return Guarded("zelmarSettings.PictureHeight", 0, [&] {
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        return settings.value(QStringLiteral("PictureHeight"), 0).toInt();
    });
}

void SavePictureHeight(int height) {
    GuardedVoid("zelmarSettings.SavePictureHeight", [&] {
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        settings.setValue(QStringLiteral("PictureHeight"), height);
    });
}

std::vector<std::string> RecentFiles() {
    return Guarded("zelmarSettings.RecentFiles", std::vector<std::string>(), [&] {
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        std::vector<std::string> files;
        for (const QString& file : settings.value(QStringLiteral("RecentFiles")).toStringList())
            if (static_cast<int>(files.size()) < kRecentFiles) files.push_back(file.toStdString());
        return files;
    });
}

void AddRecentFile(const std::string& fileName) {
    GuardedVoid("zelmarSettings.AddRecentFile", [&] {
        if (fileName.empty()) return;
        const QString path = QFileInfo(QString::fromStdString(fileName)).absoluteFilePath();
        QSettings settings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
        QStringList files = settings.value(QStringLiteral("RecentFiles")).toStringList();
        files.removeAll(path);
        files.prepend(path);
        while (files.size() > kRecentFiles) files.removeLast();
        settings.setValue(QStringLiteral("RecentFiles"), files);
    });
}

}  // namespace zelmarSettings

#include "Zelmar_FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

QString DialogFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString caption = parts[i];
        filters << (caption.contains(QLatin1Char('(')) ? caption
                                                       : caption + " (" + parts[i + 1] + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

std::string AskMolFileName(QWidget* owner, bool save, const QString& title,
                           const QString& filterPairs, const QString& objectName) {
    QFileDialog dialog(owner, title, QString(), DialogFilter(filterPairs));
    dialog.setObjectName(objectName);
    // The same dialog as for SD files, on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // No "*.mol" as the starting name: Qt's dialogs would take it as a file name; the filter
    // already shows only MOL files.
    dialog.setDefaultSuffix(QStringLiteral("mol"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

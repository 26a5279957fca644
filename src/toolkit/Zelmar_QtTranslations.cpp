#include "Zelmar_QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

// The catalogue of Qt's base modules for a language code; empty for English.
QString CatalogueFor(const std::string& language) {
    const std::string code = language.substr(0, 2);
    if (code == "DE" || code == "ES") return QStringLiteral("qtbase_de");
    if (code == "FR") return QStringLiteral("qtbase_fr");
    return {};
}

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool UseQtTranslations(const std::string& language) {
    return Guarded("UseQtTranslations", false, [&] {
        std::unique_ptr<QTranslator>& installed = Installed();
        if (installed) QCoreApplication::removeTranslator(installed.get());
        installed.reset();
        const QString catalogue = CatalogueFor(language);
        if (catalogue.isEmpty()) return true;
        auto translator = std::make_unique<QTranslator>();
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!translator->load(catalogue, folder)) {
            TraceMessage("UseQtTranslations", tlWarning, "%s not found in %s",
                         catalogue.toStdString().c_str(), folder.toStdString().c_str());
            return false;
        }
        QCoreApplication::installTranslator(translator.get());
        installed = std::move(translator);
        return true;
    });
}

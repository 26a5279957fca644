#include "Zelmar_Dialog_About.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Zelmar_HelpHeader.h"
#include "Zelmar_Translater.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

}  // namespace

TZelmar_DialogAbout::TZelmar_DialogAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Zelmar_DialogAbout"));
    setWindowTitle(Shown("Zelmar_DialogAbout##  Info über Zelmar"));
    Header = new TZelmarHelpHeader(this);
    Header->SetTitle(Shown("Zelmar_DialogAbout##  Zelmar"));
    Header->SetInfoText(
        Shown("Zelmar_DialogAbout##  Zelmar, ein Werkzeug für SD-Dateien: Datensätze ansehen, "
              "bearbeiten, sortieren, durchsuchen, vergleichen und verlustfrei speichern."));
    LabelVersions = new QLabel(this);
    LabelVersions->setObjectName(QStringLiteral("LabelVersions"));
    LabelVersions->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelNotice = new QLabel(
        Shown("Zelmar_DialogAbout##  Die Chemie rechnet RDKit (BSD-Lizenz), die Oberfläche "
              "zeichnet Qt (LGPL). Die Bilder der Befehle sind für Zelmar gezeichnet.") +
            QLatin1Char(' ') +
            Shown("Zelmar_DialogAbout##  Den Moleküleditor stellt Ketcher bereit (Apache-Lizenz "
                  "2.0, der Lizenztext liegt im Ordner Drawlet)."),
        this);
    LabelNotice->setObjectName(QStringLiteral("LabelNotice"));
    LabelNotice->setWordWrap(true);
    BtnOK = new QPushButton(Shown("Zelmar_DialogAbout##  OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 12);
    body->addWidget(LabelVersions);
    body->addWidget(LabelNotice);
    body->addStretch(1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Header);
    layout->addLayout(body, 1);
    setMinimumWidth(460);
}

void TZelmar_DialogAbout::SetVersions(const TVersionLines& lines) {
    QString rows;
    for (const auto& [what, version] : lines)
        rows += QStringLiteral("<tr><td>%1</td><td style='padding-left:16px'>%2</td></tr>")
                    .arg(what.toHtmlEscaped(), version.toHtmlEscaped());
    LabelVersions->setText(QStringLiteral("<table>%1</table>").arg(rows));
}

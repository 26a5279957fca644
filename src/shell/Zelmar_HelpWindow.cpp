#include "Zelmar_HelpWindow.h"

#include <algorithm>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>

#include "Zelmar_ActionSupport.h"
#include "vesk_Guard.h"

namespace {

constexpr int kUrlRole = Qt::UserRole;
// Screenshots are taken about 1000 pixels wide; the page shows them at most this wide.
constexpr int kLargestImageWidth = 640;

// The text browser draws pictures without smoothing: wide ones come already scaled down.
class THelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::ImageResource) return resource;
        QImage image;
        if (resource.canConvert<QImage>()) image = resource.value<QImage>();
        if (image.isNull()) image.loadFromData(resource.toByteArray());
        if (image.width() <= kLargestImageWidth) return resource;
        return image.scaledToWidth(kLargestImageWidth, Qt::SmoothTransformation);
    }
};

QString PageText(const QUrl& url) {
    QFile file(QLatin1Char(':') + url.path());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// Walks the page's parsed text: every heading, every link and every picture, in order.
template <typename TVisit>
void VisitPage(const QUrl& url, TVisit&& visit) {
    QTextDocument document;
    document.setHtml(PageText(url));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QStringList anchors;
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextCharFormat format = part.fragment().charFormat();
            anchors << format.anchorNames();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                visit(QStringLiteral("link"), url.resolved(QUrl(format.anchorHref())), block);
            if (format.isImageFormat())
                visit(QStringLiteral("image"), url.resolved(QUrl(format.toImageFormat().name())),
                      block);
        }
        if (block.blockFormat().headingLevel() > 0 && !anchors.isEmpty())
            visit(QStringLiteral("heading"), QUrl(QLatin1Char('#') + anchors.front()), block);
    }
}

}  // namespace

TZelmarHelpWindow::TZelmarHelpWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    FBrowser = new THelpBrowser(this);
    FBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    FBrowser->setOpenLinks(true);
    FBrowser->setOpenExternalLinks(true);
    FContents = new QTreeWidget(this);
    FContents->setObjectName(QStringLiteral("HelpContents"));
    FContents->setHeaderHidden(true);
    FContents->setColumnCount(1);
    auto* split = new QSplitter(this);
    split->addWidget(FContents);
    split->addWidget(FBrowser);
    split->setStretchFactor(1, 1);
    split->setSizes({280, 700});
    setCentralWidget(split);

    FBack = new QAction(style()->standardIcon(QStyle::SP_ArrowBack), QString(), this);
    FBack->setObjectName(QStringLiteral("ActHelpBack"));
    FBack->setShortcut(QKeySequence::Back);
    FForward = new QAction(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
    FForward->setObjectName(QStringLiteral("ActHelpForward"));
    FForward->setShortcut(QKeySequence::Forward);
    FHome = new QAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QString(), this);
    FHome->setObjectName(QStringLiteral("ActHelpHome"));
    FBack->setEnabled(false);
    FForward->setEnabled(false);
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("HelpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addActions({FBack, FForward, FHome});

    connect(FBack, &QAction::triggered, FBrowser, &QTextBrowser::backward);
    connect(FForward, &QAction::triggered, FBrowser, &QTextBrowser::forward);
    // Not QTextBrowser::home: that is the first page ever shown, perhaps in another language.
    connect(FHome, &QAction::triggered, this, [this] { FBrowser->setSource(IndexUrl(FLanguage)); });
    connect(FBrowser, &QTextBrowser::backwardAvailable, FBack, &QAction::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, FForward, &QAction::setEnabled);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        MarkCurrentInContents(url);
        UpdateTitle();
    });
    connect(FContents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenContentsItem(item); });
    connect(FContents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OpenContentsItem(item); });
    resize(980, 680);
    Retranslate();
}

QString TZelmarHelpWindow::ManualLanguage() {
    // Translated like every shown text, so the manual is always the interface's language.
    QString language = ShownText("Zelmar_HelpWindow##  de");
    if (QFile::exists(IndexUrl(language).path().prepend(QLatin1Char(':')))) return language;
    return QStringLiteral("en");
}

QUrl TZelmarHelpWindow::IndexUrl(const QString& language) {
    return {QStringLiteral("qrc:/manual/%1/index.html").arg(language)};
}

TZelmarHelpWindow::TPage TZelmarHelpWindow::ReadPage(const QUrl& url) {
    TPage page;
    page.Url = url;
    VisitPage(url, [&](const QString& kind, const QUrl& target, const QTextBlock& block) {
        if (kind != QLatin1String("heading")) return;
        const int level = block.blockFormat().headingLevel();
        // The object replacement character stands for a picture inside the heading.
        QString title = block.text().remove(QChar::ObjectReplacementCharacter).trimmed();
        if (level == 1 && page.Title.isEmpty()) page.Title = title;
        page.Sections.push_back({target.fragment(), title, level});
    });
    return page;
}

QStringList TZelmarHelpWindow::Links(const QUrl& url) {
    QStringList links;
    VisitPage(url, [&](const QString& kind, const QUrl& target, const QTextBlock&) {
        if (kind == QLatin1String("link")) links << target.toString();
    });
    return links;
}

QStringList TZelmarHelpWindow::Images(const QUrl& url) {
    QStringList images;
    VisitPage(url, [&](const QString& kind, const QUrl& target, const QTextBlock&) {
        if (kind == QLatin1String("image")) images << target.toString();
    });
    return images;
}

std::vector<TZelmarHelpWindow::TPage> TZelmarHelpWindow::ReadPages(const QString& language) {
    std::vector<TPage> pages;
    const QUrl index = IndexUrl(language);
    pages.push_back(ReadPage(index));
    for (const QString& link : Links(index)) {
        QUrl page(link);
        page.setFragment(QString());
        if (page.scheme() != QLatin1String("qrc")) continue;
        const bool known = std::any_of(pages.begin(), pages.end(),
                                       [&](const TPage& seen) { return seen.Url == page; });
        if (!known) pages.push_back(ReadPage(page));
    }
    return pages;
}

void TZelmarHelpWindow::ShowManual() {
    GuardedVoid("TZelmarHelpWindow.ShowManual", [&] {
        if (FLanguage != ManualLanguage()) LoadLanguage(ManualLanguage());
        show();
        raise();
        activateWindow();
    });
}

void TZelmarHelpWindow::LoadLanguage(const QString& language) {
    FLanguage = language;
    FBrowser->clearHistory();
    FBrowser->setSource(IndexUrl(language));
    FillContents();
    MarkCurrentInContents(FBrowser->source());
    UpdateTitle();
}

void TZelmarHelpWindow::FillContents() {
    FContents->clear();
    for (const TPage& page : ReadPages(FLanguage)) {
        auto* top = new QTreeWidgetItem(FContents, {page.Title});
        top->setData(0, kUrlRole, page.Url);
        for (const TSection& section : page.Sections) {
            if (section.Level < 2) continue;
            QUrl url = page.Url;
            url.setFragment(section.Anchor);
            auto* item = new QTreeWidgetItem(top, {section.Title});
            item->setData(0, kUrlRole, url);
        }
    }
    FContents->expandToDepth(0);
}

void TZelmarHelpWindow::OpenContentsItem(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const QUrl url = item->data(0, kUrlRole).toUrl();
    if (url.isValid() && url != FBrowser->source()) FBrowser->setSource(url);
}

void TZelmarHelpWindow::MarkCurrentInContents(const QUrl& url) {
    QUrl page = url;
    page.setFragment(QString());
    for (int i = 0; i < FContents->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = FContents->topLevelItem(i);
        if (top->data(0, kUrlRole).toUrl() != page) continue;
        QTreeWidgetItem* current = top;
        for (int j = 0; j < top->childCount(); ++j)
            if (top->child(j)->data(0, kUrlRole).toUrl() == url) current = top->child(j);
        const QSignalBlocker quiet(FContents);
        FContents->setCurrentItem(current);
        return;
    }
}

void TZelmarHelpWindow::UpdateTitle() {
    const QString title = FBrowser->documentTitle();
    const QString caption = ShownText("Zelmar_HelpWindow##  Zelmar-Handbuch");
    setWindowTitle(title.isEmpty() ? caption : caption + QStringLiteral(" - ") + title);
}

void TZelmarHelpWindow::Retranslate() {
    FBack->setText(ShownText("Zelmar_HelpWindow##  Zurück"));
    FBack->setToolTip(ShownText("Zelmar_HelpWindow##  Zur vorigen Seite"));
    FForward->setText(ShownText("Zelmar_HelpWindow##  Vor"));
    FForward->setToolTip(ShownText("Zelmar_HelpWindow##  Zur nächsten Seite"));
    FHome->setText(ShownText("Zelmar_HelpWindow##  Inhalt"));
    FHome->setToolTip(ShownText("Zelmar_HelpWindow##  Zum Inhaltsverzeichnis des Handbuchs"));
    // A window already open follows a change of the interface language.
    if (!FLanguage.isEmpty() && FLanguage != ManualLanguage()) LoadLanguage(ManualLanguage());
    UpdateTitle();
}

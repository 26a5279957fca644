#pragma once
// The user manual: HTML pages compiled into the program under ":/manual/<language>/", shown
// in a window of its own with back, forward and a contents tree. The contents are the pages
// that index.html links to, in its order, each with the sections its headings name.

#include <QMainWindow>
#include <QString>
#include <QUrl>
#include <vector>

class QAction;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class TZelmarHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    struct TSection {
        QString Anchor;  // the heading's id
        QString Title;
        int Level = 0;  // 1 for the page's title, 2 for its sections
    };
    struct TPage {
        QUrl Url;
        QString Title;
        std::vector<TSection> Sections;
    };

    explicit TZelmarHelpWindow(QWidget* parent = nullptr);

    // Brings the window up with the manual of the interface language; a window that already
    // shows that language keeps its page.
    void ShowManual();
    void Retranslate();

    QString Language() const { return FLanguage; }
    QTextBrowser* Browser() const { return FBrowser; }
    QTreeWidget* Contents() const { return FContents; }

    // The manual's folder for the interface language: the dictionary names it, and a
    // language without a manual of its own reads the English one.
    static QString ManualLanguage();
    static QUrl IndexUrl(const QString& language);
    // The contents of one language's manual: its index page first.
    static std::vector<TPage> ReadPages(const QString& language);
    // Headings (with their ids), links and pictures of one page.
    static TPage ReadPage(const QUrl& url);
    static QStringList Links(const QUrl& url);
    static QStringList Images(const QUrl& url);

private:
    void LoadLanguage(const QString& language);
    void FillContents();
    void OpenContentsItem(QTreeWidgetItem* item);
    void MarkCurrentInContents(const QUrl& url);
    void UpdateTitle();

    QTextBrowser* FBrowser;
    QTreeWidget* FContents;
    QAction* FBack;
    QAction* FForward;
    QAction* FHome;
    QString FLanguage;
};

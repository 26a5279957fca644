#pragma once
// The link between a dialog and the editor page in its browser view: loading the page,
// calls into document.DRAWLET that wait for their answer, and the copy of the drawing that
// the page pushes over the web channel on every change.

#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEngineUrlRequestInterceptor>

#include <functional>
#include <memory>

class QWebChannel;
class QWebEngineView;

// The page's partner on the web channel ("drawletHost"): keeps the last drawing announced.
class TZelmarDrawletHost : public QObject {
    Q_OBJECT
public:
    QString MolText;  // the drawing as the page writes it; empty for an empty drawing
    QString RxnText;  // the same text when the drawing is a reaction, else empty
public slots:
    void drawingChanged(const QString& molText, const QString& rxnText);
signals:
    void DrawingChanged();
};

// Lets the page read its own folder and inline data, nothing else: the editor never goes
// on the network.
class TZelmarPageRequestGuard : public QWebEngineUrlRequestInterceptor {
public:
    explicit TZelmarPageRequestGuard(QString folder, QObject* parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
    // Counts and traces a request or navigation that was not let through.
    void Refuse(const QUrl& url);
    int Blocked() const { return FBlocked; }

private:
    const QString FFolder;
    int FBlocked = 0;
};

class TZelmarDrawletBridge : public QObject {
    Q_OBJECT
public:
    // view stays owned by the caller; pagePath is the editor page's file.
    TZelmarDrawletBridge(QWebEngineView* view, const QString& pagePath, const QString& language);
    ~TZelmarDrawletBridge() override;

    // Starts loading the page (without waiting).
    void Load();
    // Waits, handling events, until the page has published document.DRAWLET; false when
    // loading failed or took longer than timeoutMs.
    bool WaitUntilReady(int timeoutMs);
    bool LoadFinished() const { return FLoadFinished; }
    bool LoadFailed() const { return FLoadFailed; }
    // The applet object is there (document.DRAWLET neither null nor undefined).
    bool HasApplet();

    // document.DRAWLET.method(args...), waiting for the answer. ok is false when the method
    // is missing, threw, timed out, or another call is still waiting (no re-entry).
    QVariant Call(const QString& method, const QVariantList& args = {}, bool* ok = nullptr,
                  int timeoutMs = 20000);
    QString CallText(const QString& method, bool* ok = nullptr);
    // The same call without waiting: answer gets the result, or an invalid value on failure.
    void Ask(const QString& method, std::function<void(const QVariant&)> answer);
    bool Busy() const { return FBusy; }

    const TZelmarDrawletHost& Drawing() const { return FHost; }
    const TZelmarPageRequestGuard& Requests() const { return *FGuard; }

signals:
    void DrawingChanged();

private:
    QVariant Evaluate(const QString& script, int timeoutMs, bool& answered);
    void InstallChannel();

    QWebEngineView* const FView;
    const QString FPagePath;
    const QString FLanguage;
    TZelmarDrawletHost FHost;
    std::unique_ptr<QWebChannel> FChannel;
    std::unique_ptr<TZelmarPageRequestGuard> FGuard;
    bool FBusy = false;
    bool FLoadFinished = false;
    bool FLoadFailed = false;
};

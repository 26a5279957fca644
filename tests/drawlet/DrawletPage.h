// The editor page in a real QtWebEngine view, driven the way the program's dialogs
// drive it: calls into document.DRAWLET, mouse clicks on the canvas, and the host
// object the page reports its drawing to over QWebChannel.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>
#include <memory>

class QWebEngineView;
class QWebChannel;

// Stands in for the dialog's side of the channel: keeps what the page announced.
class TDrawletHostProbe : public QObject {
    Q_OBJECT
public:
    QString LastMolText;
    QString LastRxnText;
    int Announcements = 0;
public slots:
    void drawingChanged(const QString& molText, const QString& rxnText);
signals:
    void announced();
};

// Records every request the page makes that does not stay on this machine.
class TNetworkWatch : public QWebEngineUrlRequestInterceptor {
public:
    QStringList Remote;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

class TDrawletPage {
public:
    TDrawletPage();
    ~TDrawletPage();

    // Loads any page and waits until it has loaded.
    bool Open(const QUrl& url, int timeoutMs);
    // Loads the editor page and waits until document.DRAWLET is published.
    bool Load(const QString& pagePath, int timeoutMs, QString& error);

    // document.DRAWLET.<method>(args...); ok is false when the call threw or timed out.
    QVariant Call(const QString& method, const QVariantList& args = {}, bool* ok = nullptr,
                  int timeoutMs = 20000);
    QString Text(const QString& method);
    QVariant Eval(const QString& script, int timeoutMs = 20000);

    // Canvas positions (view pixels) of the drawing's atoms, in the editor's atom order.
    QList<QPoint> AtomPositions();
    void Click(QPoint at);
    void MoveMouse(QPoint at);
    void Wait(int ms);
    // Polls the condition between waits; QTRY_* cannot be used, since runJavaScript
    // answers never arrive inside QTest::qWait.
    bool WaitFor(const std::function<bool()>& condition, int timeoutMs);
    // Closes the editor's open dialog the way a user does, with its close button.
    void CloseEditorDialog();

    QWebEngineView& View() { return *FView; }
    TDrawletHostProbe& Host() { return FHost; }
    TNetworkWatch& Network() { return FNetwork; }

private:
    TDrawletHostProbe FHost;
    TNetworkWatch FNetwork;
    std::unique_ptr<QWebEngineView> FView;
    std::unique_ptr<QWebChannel> FChannel;
};

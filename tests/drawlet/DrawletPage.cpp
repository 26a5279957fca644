#include "DrawletPage.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineView>

void TDrawletHostProbe::drawingChanged(const QString& molText, const QString& rxnText) {
    LastMolText = molText;
    LastRxnText = rxnText;
    ++Announcements;
    emit announced();
}

void TNetworkWatch::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QString scheme = info.requestUrl().scheme();
    if (scheme != "file" && scheme != "data" && scheme != "blob" && scheme != "qrc")
        Remote << info.requestUrl().toString();
}

TDrawletPage::TDrawletPage() : FView(std::make_unique<QWebEngineView>()) {
    FView->resize(1000, 700);
    QWebEnginePage* page = FView->page();
    page->profile()->setUrlRequestInterceptor(&FNetwork);

    // The program hands the page the channel's script, as its dialogs will.
    QFile channelScript(":/qtwebchannel/qwebchannel.js");
    if (channelScript.open(QIODevice::ReadOnly)) {
        QWebEngineScript script;
        script.setName("qwebchannel");
        script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        page->scripts().insert(script);
    }
    FChannel = std::make_unique<QWebChannel>();
    FChannel->registerObject("drawletHost", &FHost);
    page->setWebChannel(FChannel.get());
    FView->show();
}

TDrawletPage::~TDrawletPage() {
    FView->page()->profile()->setUrlRequestInterceptor(nullptr);
}

void TDrawletPage::Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QVariant TDrawletPage::Eval(const QString& script, int timeoutMs) {
    // A late answer may arrive after a time-out: it must find nothing of this call left.
    struct Answer {
        QVariant Value;
        bool Done = false;
        QEventLoop* Loop = nullptr;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->Loop = &loop;
    FView->page()->runJavaScript(script, [answer](const QVariant& v) {
        answer->Value = v;
        answer->Done = true;
        if (answer->Loop) answer->Loop->quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!answer->Done) loop.exec();
    answer->Loop = nullptr;
    return answer->Done ? answer->Value : QVariant();
}

bool TDrawletPage::Open(const QUrl& url, int timeoutMs) {
    QSignalSpy loaded(FView->page(), &QWebEnginePage::loadFinished);
    FView->load(url);
    return loaded.wait(timeoutMs) && loaded.first().first().toBool();
}

bool TDrawletPage::Load(const QString& pagePath, int timeoutMs, QString& error) {
    if (!QFile::exists(pagePath)) {
        error = "no page at " + pagePath;
        return false;
    }
    if (!Open(QUrl::fromLocalFile(pagePath), timeoutMs)) {
        error = "the page did not load";
        return false;
    }
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (Eval("document.documentElement.dataset.drawlet || ''").toString() == "ready")
            return true;
        Wait(100);
    }
    error = "document.DRAWLET was not published in time";
    return false;
}

QVariant TDrawletPage::Call(const QString& method, const QVariantList& args, bool* ok,
                            int timeoutMs) {
    const QString json = QString::fromUtf8(
        QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact));
    const QString script =
        QString(
            "(function(){ try { const d = document.DRAWLET; "
            "if (typeof d[%1] !== 'function') return {ok:false, e:'no method'}; "
            "const v = d[%1].apply(d, %2); return {ok:true, v: v === undefined ? null : v}; } "
            "catch (e) { return {ok:false, e:String(e)}; } })()")
            .arg(QString::fromUtf8(QJsonDocument(QJsonArray{method}).toJson(QJsonDocument::Compact))
                     .mid(1)
                     .chopped(1),
                 json);
    const QVariantMap answer = Eval(script, timeoutMs).toMap();
    if (ok) *ok = answer.value("ok").toBool();
    return answer.value("v");
}

QString TDrawletPage::Text(const QString& method) {
    return Call(method).toString();
}

QList<QPoint> TDrawletPage::AtomPositions() {
    // The editor maps page points onto its model linearly; invert that map.
    const QVariantList list =
        Eval(
            "(() => { const e = window.ketcher.editor, r = e.render;"
            " const c = "
            "document.querySelector('[data-testid=\"ketcher-canvas\"]').getBoundingClientRect();"
            " const o = r.page2obj({clientX: 0, clientY: 0}), ox = r.page2obj({clientX: 100, "
            "clientY: 0}),"
            " oy = r.page2obj({clientX: 0, clientY: 100}); const a = (ox.x - o.x) / 100, d = (oy.y "
            "- o.y) / 100;"
            " return [...e.struct().atoms.values()].filter((at) => !at.isPreview)"
            "   .map((at) => [Math.round((at.pp.x - o.x) / a), Math.round((at.pp.y - o.y) / d)]); "
            "})()")
            .toList();
    QList<QPoint> points;
    for (const QVariant& p : list) {
        const QVariantList xy = p.toList();
        if (xy.size() == 2) points << QPoint(xy[0].toInt(), xy[1].toInt());
    }
    return points;
}

void TDrawletPage::MoveMouse(QPoint at) {
    QTest::mouseMove(FView->focusProxy(), at);
    Wait(50);
}

void TDrawletPage::Click(QPoint at) {
    MoveMouse(at);
    QTest::mouseClick(FView->focusProxy(), Qt::LeftButton, {}, at);
    Wait(200);
}

bool TDrawletPage::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (condition()) return true;
        Wait(100);
    }
    return condition();
}

void TDrawletPage::CloseEditorDialog() {
    Eval(
        "(() => { const b = document.querySelector('.Ketcher-root dialog header button'); if (b) "
        "b.click(); })()");
    Wait(300);
}

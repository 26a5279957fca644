#include "Zelmar_DrawletBridge.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
#include <QUrlQuery>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineView>

#include <algorithm>

#include "vesk_Trace.h"

namespace {

// One profile for every editor view: nothing kept on disk, no cache between runs.
QWebEngineProfile* EditorProfile() {
    static QPointer<QWebEngineProfile> profile;
    if (profile.isNull()) {
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::NoCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    }
    return profile;
}

QString JsonOf(const QJsonArray& values) {
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

// A call that never throws into the browser engine: {ok, v} or {ok: false, e}. Method name
// and arguments travel as JSON, so line ends, quotes and umlauts arrive byte for byte.
QString CallScript(const QString& method, const QVariantList& args) {
    const QString name = JsonOf(QJsonArray{method}).mid(1).chopped(1);
    return QStringLiteral(
               "(function(){ try { const d = document.DRAWLET;"
               " if (!d || typeof d[%1] !== 'function') return {ok:false, e:'no method'};"
               " const v = d[%1].apply(d, %2); return {ok:true, v: v === undefined ? null : v}; }"
               " catch (e) { return {ok:false, e:String(e)}; } })()")
        .arg(name, JsonOf(QJsonArray::fromVariantList(args)));
}

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

void TZelmarDrawletHost::drawingChanged(const QString& molText, const QString& rxnText) {
    MolText = molText;
    RxnText = rxnText;
    emit DrawingChanged();
}

TZelmarPageRequestGuard::TZelmarPageRequestGuard(QString folder, QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), FFolder(std::move(folder)) {}

void TZelmarPageRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("data") || scheme == QLatin1String("blob")) return;
    if (url.isLocalFile()) {
        const QString path = QFileInfo(url.toLocalFile()).absoluteFilePath();
        if (path.startsWith(FFolder + QLatin1Char('/'))) return;
    }
    info.block(true);
    Refuse(url);
}

void TZelmarPageRequestGuard::Refuse(const QUrl& url) {
    ++FBlocked;
    TraceMessage("TZelmarDrawletBridge.interceptRequest", tlWarning, "blocked request for %s",
                 url.toDisplayString().toUtf8().constData());
}

namespace {

// Stays on its own file: a link or script that would lead elsewhere is refused, so that the
// dialog never loses its editor to another page.
class TZelmarDrawletPage : public QWebEnginePage {
public:
    TZelmarDrawletPage(const QString& pagePath, TZelmarPageRequestGuard* guard, QObject* parent)
        : QWebEnginePage(EditorProfile(), parent),
          FPage(QUrl::fromLocalFile(pagePath)),
          FGuard(guard) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        const QUrl file = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
        if (!isMainFrame || file == FPage) return true;
        FGuard->Refuse(url);
        return false;
    }

private:
    const QUrl FPage;
    TZelmarPageRequestGuard* const FGuard;
};

}  // namespace

TZelmarDrawletBridge::TZelmarDrawletBridge(QWebEngineView* view, const QString& pagePath,
                                           const QString& language)
    : FView(view),
      FPagePath(QFileInfo(pagePath).absoluteFilePath()),
      FLanguage(language),
      FGuard(std::make_unique<TZelmarPageRequestGuard>(QFileInfo(pagePath).absolutePath())) {
    auto* page = new TZelmarDrawletPage(FPagePath, FGuard.get(), FView);
    page->setUrlRequestInterceptor(FGuard.get());
    FView->setPage(page);
    InstallChannel();
    connect(&FHost, &TZelmarDrawletHost::DrawingChanged, this,
            &TZelmarDrawletBridge::DrawingChanged);
    // Only the page's own load counts: a navigation the page refuses may still report a
    // start and a failed end, and leaves the loaded editor as it is.
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok) {
            FLoadFinished = true;
        } else if (!FLoadFinished) {
            FLoadFailed = true;
            TraceMessage("TZelmarDrawletBridge.Load", tlError, "could not load %s",
                         FPagePath.toUtf8().constData());
        }
    });
}

TZelmarDrawletBridge::~TZelmarDrawletBridge() {
    // The page may outlive this object for a moment; it must not ask a freed guard.
    if (QWebEnginePage* page = FView->page()) {
        page->setUrlRequestInterceptor(nullptr);
        page->setWebChannel(nullptr);
    }
}

void TZelmarDrawletBridge::InstallChannel() {
    // The page connects to "drawletHost" when it finds the channel's script.
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (channelScript.open(QIODevice::ReadOnly)) {
        QWebEngineScript script;
        script.setName(QStringLiteral("qwebchannel"));
        script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(QWebEngineScript::MainWorld);
        FView->page()->scripts().insert(script);
    }
    FChannel = std::make_unique<QWebChannel>();
    FChannel->registerObject(QStringLiteral("drawletHost"), &FHost);
    FView->page()->setWebChannel(FChannel.get());
}

void TZelmarDrawletBridge::Load() {
    QUrl url = QUrl::fromLocalFile(FPagePath);
    if (!FLanguage.isEmpty()) url.setQuery(QStringLiteral("lang=") + FLanguage);
    FLoadFinished = false;
    FLoadFailed = false;
    FView->load(url);
}

bool TZelmarDrawletBridge::WaitUntilReady(int timeoutMs) {
    if (FBusy) return false;
    FBusy = true;
    bool ready = false;
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(timeoutMs) && !FLoadFailed) {
        if (FLoadFinished) {
            bool answered = false;
            const QVariant flag =
                Evaluate(QStringLiteral("document.documentElement.dataset.drawlet || ''"),
                         std::max<int>(1, timeoutMs - clock.elapsed()), answered);
            if (flag.toString() == QLatin1String("ready")) {
                ready = true;
                break;
            }
        }
        Wait(50);
    }
    FBusy = false;
    return ready;
}

bool TZelmarDrawletBridge::HasApplet() {
    if (FBusy || !FLoadFinished) return false;
    FBusy = true;
    bool answered = false;
    const QVariant present =
        Evaluate(QStringLiteral("document.DRAWLET !== null && document.DRAWLET !== undefined"),
                 20000, answered);
    FBusy = false;
    return answered && present.toBool();
}

QVariant TZelmarDrawletBridge::Evaluate(const QString& script, int timeoutMs, bool& answered) {
    // An answer that arrives after the time-out must find nothing of this call left.
    struct TAnswer {
        QVariant Value;
        bool Done = false;
        QEventLoop* Loop = nullptr;
    };
    auto answer = std::make_shared<TAnswer>();
    QEventLoop loop;
    answer->Loop = &loop;
    FView->page()->runJavaScript(script, [answer](const QVariant& value) {
        answer->Value = value;
        answer->Done = true;
        if (answer->Loop != nullptr) answer->Loop->quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!answer->Done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    answer->Loop = nullptr;
    answered = answer->Done;
    return answer->Done ? answer->Value : QVariant();
}

QVariant TZelmarDrawletBridge::Call(const QString& method, const QVariantList& args, bool* ok,
                                    int timeoutMs) {
    if (ok != nullptr) *ok = false;
    if (FBusy || !FLoadFinished || FLoadFailed) return {};
    FBusy = true;
    bool answered = false;
    const QVariantMap answer = Evaluate(CallScript(method, args), timeoutMs, answered).toMap();
    FBusy = false;
    const bool succeeded = answered && answer.value(QStringLiteral("ok")).toBool();
    if (!succeeded)
        TraceMessage("TZelmarDrawletBridge.Call", tlWarning, "DRAWLET.%s failed: %s",
                     method.toUtf8().constData(),
                     answered ? answer.value(QStringLiteral("e")).toString().toUtf8().constData()
                              : "no answer in time");
    if (ok != nullptr) *ok = succeeded;
    return succeeded ? answer.value(QStringLiteral("v")) : QVariant();
}

QString TZelmarDrawletBridge::CallText(const QString& method, bool* ok) {
    return Call(method, {}, ok).toString();
}

void TZelmarDrawletBridge::Ask(const QString& method, std::function<void(const QVariant&)> answer) {
    if (!FLoadFinished || FLoadFailed) {
        answer(QVariant());
        return;
    }
    QPointer<TZelmarDrawletBridge> self(this);
    FView->page()->runJavaScript(
        CallScript(method, {}), [self, answer = std::move(answer)](const QVariant& value) {
            if (self.isNull()) return;
            const QVariantMap map = value.toMap();
            answer(map.value(QStringLiteral("ok")).toBool() ? map.value(QStringLiteral("v"))
                                                            : QVariant());
        });
}

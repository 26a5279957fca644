// The editor page in the browser engine the program uses: every DRAWLET method, drawing
// with the ring and atom tools, the page's dialogs, and molfiles and reaction files of the
// shared corpus handed in and read back.
#include "DrawletPage.h"
#include "MolSummary.h"
#include "vesk_ChemRoutines.h"

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QUrl>
#include <QWebEngineView>
#include <cmath>
#include <cstdlib>

namespace {

const QStringList kCommands = {
    "NewClick",         "SelectClick",     "UndoClick",         "MoveClick",
    "CrossHairClick",   "ArrangeClick",    "DeleteClick",       "SingleBondClick",
    "DoubleBondClick",  "TripleBondClick", "StereoBondUpClick", "StereoBondDownClick",
    "AnyBondClick",     "ChainClick",      "TriangleClick",     "SquareClick",
    "Pentagon1Click",   "Pentagon2Click",  "Hexagon1Click",     "Hexagon2Click",
    "Hexagon3Click",    "HeptagonClick",   "OctagonClick",      "BracketClick",
    "PlusClick",        "RXNArrowClick",   "MappingClick",      "ChargePlusClick",
    "ChargeMinusClick", "ChiralClick",     "InfoClick",         "AtomCClick",
    "AtomNClick",       "AtomOClick",      "AtomSClick",        "AtomFClick",
    "AtomClClick",      "AtomBrClick",     "AtomPClick",        "AtomXClick",
    "AtomAClick",       "AtomQClick"};

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Molfile counts: atoms, bonds, and how many bonds have the given order.
int countsField(const QString& mol, int field) {
    const QStringList lines = mol.split('\n');
    return lines.size() > 3 ? lines[3].mid(field * 3, 3).trimmed().toInt() : -1;
}

int bondsOfOrder(const QString& mol, int order) {
    const QStringList lines = mol.split('\n');
    const int atoms = countsField(mol, 0), bonds = countsField(mol, 1);
    int n = 0;
    for (int i = 0; i < bonds && 4 + atoms + i < lines.size(); ++i)
        n += lines[4 + atoms + i].mid(6, 3).trimmed().toInt() == order;
    return n;
}

}  // namespace

class TestDrawlet : public QObject {
    Q_OBJECT
    std::unique_ptr<TDrawletPage> Page;
    QString Corpus = ZELMAR_SDF_CORPUS_DIR;

    QPoint canvasCentre() const { return QPoint(500, 350); }

    // Reads the drawing the way the editor dialog does: the reaction first, else the molecule.
    QString drawing() {
        const QString rxn = Page->Text("getRxnFile");
        return rxn.isEmpty() ? Page->Text("getMolFile") : rxn;
    }

    // Hands a file to the page and waits until its drawing is read in (reactions and
    // V3000 may go through the structure service).
    void hand(const QString& text) {
        const bool reaction = text.contains("$RXN");
        QVERIFY(
            Page->Call(reaction ? "setRxnFile" : "setMolFile", {text}, nullptr, 120000).toBool());
        Page->WaitFor([&] { return !Page->Text("getMolFile").isEmpty(); }, 10000);
    }

    void formulaAndMass(const QString& mol, std::string& formula, double& mass) {
        TveskMolManager routines;
        QVERIFY2(routines.GetFormulaAndMass(mol.toStdString(), formula, mass),
                 routines.LastError.c_str());
    }

private slots:
    void initTestCase() {
        Page = std::make_unique<TDrawletPage>();
        QString error;
        QVERIFY2(Page->Load(ZELMAR_DRAWLET_PAGE, 120000, error), qPrintable(error));
    }

    void everyMethodAnswers() {
        for (const QString& name : kCommands) {
            bool ok = false;
            const QVariant result = Page->Call(name, {}, &ok);
            QVERIFY2(ok, qPrintable(name));
            QVERIFY2(result.toBool(), qPrintable(name + " reported a failure"));
            if (!Page->Text("getActiveDialogCaption").isEmpty()) Page->CloseEditorDialog();
        }
        // The info dialog closes with its own button, not with Escape.
        Page->Eval("document.querySelector('#info-dialog button').click()");
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString());

        QVERIFY(Page->Call("NewClick").toBool());
        QCOMPARE(Page->Text("getMolFile"), QString());
        QCOMPARE(Page->Text("getRxnFile"), QString());
        bool ok = false;
        Page->Call("setRxnFile", {readFile(Corpus + "/rxn/amide_v2000.rxn")}, &ok);
        QVERIFY(ok);
        QVERIFY(Page->Call("setMolFile", {QString()}).toBool());
        QCOMPARE(Page->Text("getMolFile"), QString());
    }

    void textThatIsNoMoleculeLeavesTheDrawingAlone() {
        const QString before = readFile(Corpus + "/mol/chiral_crlf.mol");
        hand(before);
        bool ok = false;
        QVERIFY(!Page->Call("setMolFile", {QString("no molecule\nat all\n\n  x  y  V2000\n")}, &ok)
                     .toBool());
        QVERIFY(ok);  // refused, not thrown
        QCOMPARE(Page->Text("getMolFile"), before);
    }

    void ringAndAtomToolsDrawPyridine() {
        Page->Call("NewClick");
        QVERIFY(Page->Call("Hexagon2Click").toBool());
        Page->Click(canvasCentre());
        Page->MoveMouse(QPoint(2, 2));  // away, so that no ring preview hangs under the mouse
        const QString benzene = Page->Text("getMolFile");
        QCOMPARE(countsField(benzene, 0), 6);
        QCOMPARE(bondsOfOrder(benzene, 2), 3);

        const QList<QPoint> atoms = Page->AtomPositions();
        QCOMPARE(atoms.size(), 6);
        QVERIFY(Page->Call("AtomNClick").toBool());
        Page->Click(atoms.first());
        Page->MoveMouse(QPoint(2, 2));

        const QString pyridine = Page->Text("getMolFile");
        std::string formula;
        double mass = 0;
        formulaAndMass(pyridine, formula, mass);
        QCOMPARE(QString::fromStdString(formula), QString("C5H5N"));
        QVERIFY(std::abs(mass - 79.10) < 0.01);
        QCOMPARE(countsField(pyridine, 1), 6);
        QCOMPARE(bondsOfOrder(pyridine, 2), 3);

        // The host heard of the change without asking.
        QVERIFY(Page->WaitFor([&] { return Page->Host().LastMolText == pyridine; }, 5000));

        QVERIFY(Page->Call("UndoClick").toBool());
        formulaAndMass(Page->Text("getMolFile"), formula, mass);
        QCOMPARE(QString::fromStdString(formula), QString("C6H6"));
    }

    void dialogCaptionWhileADialogIsOpen() {
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString());
        QVERIFY(Page->Call("AtomXClick").toBool());
        Page->Wait(300);
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString("Periodic Table"));
        Page->CloseEditorDialog();
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString());

        Page->Call("setMolFile", {readFile(Corpus + "/mol/chiral_crlf.mol")});
        QVERIFY(Page->Call("InfoClick").toBool());
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString("Info"));
        QVERIFY(Page->WaitFor(
            [&] {
                // Formula and weight, as the structure service computes them.
                return Page
                    ->Eval(
                        "/Summenformel: C2H3BrClF\\nMolekulargewicht: 161\\.39/"
                        ".test(document.querySelector('#info-dialog .body').textContent)")
                    .toBool();
            },
            10000));
        Page->Eval("document.querySelector('#info-dialog button').click()");
        QCOMPARE(Page->Text("getActiveDialogCaption"), QString());
    }

    void unchangedFilesComeBackByteForByte_data() {
        QTest::addColumn<QString>("file");
        for (const QString& dir : {QString("mol"), QString("rxn")})
            for (const QString& name : QDir(Corpus + "/" + dir).entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(dir + "/" + name)) << dir + "/" + name;
    }

    void unchangedFilesComeBackByteForByte() {
        QFETCH(QString, file);
        const QString text = readFile(Corpus + "/" + file);
        hand(text);
        QCOMPARE(drawing(), text);
        QCOMPARE(Page->Text("getMolFile"), text);
        // Flipping the chiral flag there and back is no change either.
        Page->Call("ChiralClick");
        QVERIFY(Page->WaitFor([&] { return drawing() != text; }, 60000));
        Page->Call("ChiralClick");
        QCOMPARE(drawing(), text);
    }

    void editedFilesKeepTheirChemistry_data() {
        QTest::addColumn<QString>("file");
        // Charges, isotopes, wedges, query atoms and lists, brackets, atom maps.
        for (const char* name :
             {"mol/chiral_crlf.mol", "mol/butanoic_acid.mol", "mol/query_A.mol", "mol/query_Q.mol",
              "mol/atom_list.mol", "mol/not_atom_list.mol", "rxn/amide_v2000.rxn"})
            QTest::newRow(name) << QString(name);
        QTest::newRow("isotopes and charges") << QString("isotopes");
    }

    void editedFilesKeepTheirChemistry() {
        QFETCH(QString, file);
        QString text =
            file == "isotopes"
                ? QString(
                      "\n  test\n\n  3  2  0  0  0  0  0  0  0  0999 V2000\n"
                      "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
                      "    1.0000    0.0000    0.0000 N   0  0  0  0  0  0  0  0  0  0  0  0\n"
                      "    2.0000    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
                      "  1  2  1  0\n  2  3  1  0\nM  CHG  2   2   1   3  -1\nM  ISO  1   1  13\nM "
                      " END\n")
                : readFile(Corpus + "/" + file);
        text.replace("\r\n", "\n");
        hand(text);
        // A changed chiral flag makes the page write the drawing itself.
        Page->Call("ChiralClick");
        const QString back = drawing();
        QVERIFY(back != text);
        if (text.contains("$RXN")) {
            QVERIFY(back.startsWith("$RXN"));
            const QStringList in = text.split("$MOL\n"), out = back.split("$MOL\n");
            QCOMPARE(out.size(), in.size());
            for (int i = 1; i < in.size(); ++i)
                QVERIFY2(TMolSummary::Of(out[i]) == TMolSummary::Of(in[i]), qPrintable(out[i]));
        } else {
            const TMolSummary before = TMolSummary::Of(text), after = TMolSummary::Of(back);
            QVERIFY(before.Valid);
            QVERIFY2(after == before, qPrintable(back));
            QCOMPARE(after.Chiral, before.Chiral ? 0 : 1);
        }
    }

    // Drawings beyond what the page writes itself come back from the structure service.
    void largeDrawingsComeBackAsV3000_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("counts");
        QTest::newRow("beyond V2000")
            << QString("mol/v3000_1540_atoms.mol") << QString("COUNTS 1540 1707");
        QTest::newRow("V2000 with brackets")
            << QString("mol/v2000_993_atoms.mol") << QString("COUNTS 993 992");
    }

    void largeDrawingsComeBackAsV3000() {
        QFETCH(QString, file);
        QFETCH(QString, counts);
        const QString text = readFile(Corpus + "/" + file);
        hand(text);
        Page->Call("ChiralClick");  // a change: the page must write it itself
        QVERIFY(Page->WaitFor(
            [&] {
                const QString now = Page->Text("getMolFile");
                return now != text && now.contains("V3000");
            },
            60000));
        // Never the text of the drawing before, even while the service is still writing.
        QVERIFY(Page->Text("getMolFile").contains(counts));
        const QString back = Page->Text("getMolFile");
        QVERIFY(back != text);
        QVERIFY2(back.contains(counts), qPrintable(back.left(400)));
        // The host hears of what the service wrote (the service stamps the time in the header,
        // so compare with what the page holds now).
        QVERIFY2(Page->WaitFor([&] { return Page->Host().LastMolText == Page->Text("getMolFile"); },
                               10000),
                 qPrintable(Page->Host().LastMolText.left(300)));
    }

    void pageStaysOffline() {
        QVERIFY2(Page->Network().Remote.isEmpty(), qPrintable(Page->Network().Remote.join(", ")));
    }

    void helpPageFollowsTheLanguageParameter_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << QString() << QString("Moleküle zeichnen");
        QTest::newRow("en") << QString("lang=en") << QString("Drawing molecules");
        QTest::newRow("fr") << QString("lang=fr") << QString("Dessiner des molécules");
        QTest::newRow("unknown") << QString("lang=xx") << QString("Moleküle zeichnen");
    }

    void helpPageFollowsTheLanguageParameter() {
        QFETCH(QString, query);
        QFETCH(QString, title);
        QUrl url =
            QUrl::fromLocalFile(QFileInfo(ZELMAR_DRAWLET_PAGE).dir().filePath("drawletHelp.htm"));
        url.setQuery(query);
        TDrawletPage help;
        QVERIFY(help.Open(url, 20000));
        QCOMPARE(help.Eval("document.querySelector('section.shown h1').textContent").toString(),
                 title);
    }

    // Keeps a picture of the page when ZELMAR_DRAWLET_SCREENSHOT names a PNG file. Not a
    // skip otherwise: ctest would report the whole program as skipped.
    void screenshotWhenAsked() {
        const QByteArray path = qgetenv("ZELMAR_DRAWLET_SCREENSHOT");
        if (path.isEmpty()) return;
        Page->Call("setMolFile", {readFile(Corpus + "/mol/v3000_chebi.mol")});
        Page->Wait(1000);
        QVERIFY(Page->View().grab().save(QString::fromUtf8(path)));
    }

    void cleanupTestCase() { Page.reset(); }
};

int main(int argc, char** argv) {
    // Chromium will not start as root with its sandbox on.
    if (getuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QString("zelmar-drawlet-%1").arg(getuid()));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext=false");
    QApplication app(argc, argv);
    TestDrawlet test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Drawlet.moc"

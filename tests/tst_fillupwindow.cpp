// The fill-up window as a user meets it: rows typed in by keys, refused rows kept as
// typed and never saved, undo and redo, removal after a question, a damaged log kept,
// the average put to use; and the import and export commands. Today is 2024-06-30.
#include "RecordingMessages.h"
#include "TestFolders.h"

#include "base/FailureText.h"
#include "fillups/FillUpCommands.h"
#include "fillups/FillUpWindow.h"
#include "look/PictureButton.h"
#include "records/TripFields.h"
#include "statistics/ChartCanvas.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

using namespace tankeli;

namespace {

const QDate today(2024, 6, 30);
const QByteArray header =
    "\xEF\xBB\xBFPäivämäärä;Mittarilukema (km);Määrä (l);Hinta (€/l);Yhteensä (€);Täysi;Edellinen puuttuu;Huomautus\r\n";
// Two full fill-ups 500 km apart: 30 l over 500 km is 6 l/100 km.
const QByteArray twoFull = header + "2024-03-01;12000;40;1,8;72;kyllä;ei;\r\n2024-03-10;12500;30;1,8;54;kyllä;ei;\r\n";

struct TripStub : TripFields
{
    QString consumption;
    RecordValues recordValues() const override { return {}; }
    void setRecordValues(const RecordValues &) override {}
    void calculate() override {}
    void useConsumption(const QString &value) override { consumption = value; }
};

// The log's rows after its header, as the file holds them.
QStringList logRows(const QString &path)
{
    QStringList rows = QString::fromUtf8(readBytes(path)).split("\r\n", Qt::SkipEmptyParts);
    if (!rows.isEmpty())
        rows.removeFirst();
    return rows;
}

} // namespace

class TestFillUpWindow : public QObject
{
    Q_OBJECT

private slots:
    // Steps: "Lisää"/"Poista"/"Käytä laskimessa"/"Sulje" click a button; "cell R C" makes a
    // cell current; "type TEXT" types into the table and presses Enter; a key name
    // ("Delete", "Space", "Escape", "Ctrl+Z", "Ctrl+Shift+Z", "Insert") presses it; "answer no"
    // answers the next question No.
    void scenarios_data()
    {
        QTest::addColumn<QByteArray>("log");    // the file before; empty: none
        QTest::addColumn<float>("margin");      // calibration on with it; 0: off
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("saved"); // the log's rows after
        QTest::addColumn<QString>("rowState");  // what the window says of the current row
        QTest::addColumn<QString>("shown");     // a cell's text: "R C=text", or empty
        QTest::addColumn<QStringList>("messages");
        const QStringList unchanged{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-10;12500;30;1,8;54;kyllä;ei;"};

        // Adding and editing by keys
        QTest::newRow("a row typed whole is saved, total worked out")
            << QByteArray() << 0.0f << QStringList{"Insert", "type 12500", "cell 0 2", "type 40", "cell 0 3", "type 1,8"}
            << QStringList{"2024-06-30;12500;40;1,8;72;kyllä;ei;"} << "Rivi 1 tallennettu." << "0 4=72" << QStringList{};
        QTest::newRow("half a row stays as typed, nothing saved")
            << QByteArray() << 0.0f << QStringList{"Lisää", "type 12500", "cell 0 2", "type 40"} << QStringList{}
            << "Riviä ei ole tallennettu: Rivi 1, Hinta (€/l): anna kaksi kolmesta: Määrä (l), Hinta (€/l) ja Yhteensä (€); kolmas lasketaan niistä."
            << "0 1=12500" << QStringList{};
        // Closing with a row typed but not saved asks first; No (the default) keeps it.
        const QString notSaved = "Riviä ei ole tallennettu: Rivi 1, Määrä (l): anna kaksi kolmesta: Määrä (l), Hinta (€/l) ja Yhteensä (€); kolmas lasketaan niistä.";
        const QString closeAnyway = "?Tankkaukset: Yhtä riviä ei ole tallennettu, koska siitä puuttuu jotakin tai jokin arvo ei kelpaa. "
                                    "Suljetaanko ikkuna silti? Rivin kirjoitetut arvot katoavat. [Peruuta/Sulje]";
        QTest::newRow("Escape with half a row asks; Peruuta keeps it")
            << QByteArray() << 0.0f << QStringList{"Lisää", "type 12500", "answer no", "Escape"} << QStringList{}
            << notSaved << "0 1=12500" << QStringList{closeAnyway};
        QTest::newRow("Sulje to the question closes") << QByteArray() << 0.0f << QStringList{"Lisää", "type 12500", "Sulje"}
                                                      << QStringList{} << "" << "" << QStringList{closeAnyway};
        QTest::newRow("a new row left empty closes without a word")
            << QByteArray() << 0.0f << QStringList{"Lisää", "Escape", "Escape"} << QStringList{} << "" << "" << QStringList{};
        QTest::newRow("a reading below an earlier day's is refused, kept for correcting")
            << twoFull << 0.0f << QStringList{"cell 1 1", "type 11000"} << unchanged
            << "Riviä ei ole tallennettu: Rivi 2, Mittarilukema (km): 11000 on pienempi kuin aiemman päivän (2024-03-01) lukema 12000. Tarkista lukema tai päivämäärä."
            << "1 1=11000" << QStringList{};
        QTest::newRow("the corrected row is saved")
            << twoFull << 0.0f << QStringList{"cell 1 1", "type 11000", "type 12600"}
            << QStringList{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-10;12600;30;1,8;54;kyllä;ei;"}
            << "Rivi 2 tallennettu." << "1 9=5" << QStringList{};
        QTest::newRow("Space makes a fill-up partial: no figure")
            << twoFull << 0.0f << QStringList{"cell 1 5", "Space"}
            << QStringList{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-10;12500;30;1,8;54;ei;ei;"} << "Rivi 2 tallennettu."
            << "1 9=" << QStringList{};
        QTest::newRow("an edited date moves the row into date order")
            << twoFull << 0.0f << QStringList{"cell 0 0", "type 2024-03-01", "cell 1 0", "type 2024-03-01"}
            << QStringList{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-01;12500;30;1,8;54;kyllä;ei;"} << "Rivi 2 tallennettu."
            << "1 0=2024-03-01" << QStringList{};
        QTest::newRow("calibration on: the note says so, figures corrected")
            << twoFull << 4.0f << QStringList{} << unchanged << "" << "1 8=520" << QStringList{};

        // Undo, redo and removal
        const QString removeRow = "?Tankkaukset: Poistetaanko rivi 1 (2024-03-01, 12000 km)?";
        QTest::newRow("Ctrl+Z undoes an edit in the file")
            << twoFull << 0.0f << QStringList{"cell 1 2", "type 35", "Ctrl+Z"} << unchanged << "" << "1 2=30" << QStringList{};
        QTest::newRow("Ctrl+Shift+Z redoes it")
            << twoFull << 0.0f << QStringList{"cell 1 2", "type 35", "Ctrl+Z", "Ctrl+Shift+Z"}
            << QStringList{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-10;12500;35;1,8;63;kyllä;ei;"} << "" << "1 2=35" << QStringList{};
        QTest::newRow("Delete asks; No keeps the row")
            << twoFull << 0.0f << QStringList{"cell 0 1", "answer no", "Delete"} << unchanged << "" << "0 1=12000" << QStringList{removeRow};
        QTest::newRow("Poista removes after Yes; undo brings it back")
            << twoFull << 0.0f << QStringList{"cell 0 1", "Poista", "Ctrl+Z"} << unchanged << "" << "0 1=12000" << QStringList{removeRow};
        QTest::newRow("Ctrl+N adds a row too, for a screen reader that keeps Insert")
            << twoFull << 0.0f << QStringList{"Ctrl+N", "type 13000", "cell 2 4", "type 54", "cell 2 3", "type 1,8"}
            << unchanged + QStringList{"2024-06-30;13000;30;1,8;54;kyllä;ei;"} << "Rivi 3 tallennettu." << "2 1=13000" << QStringList{};

        // A damaged log, the average, closing
        QTest::newRow("a damaged log is shown, never written")
            << header + "2024-03-01;12000;40;1,8;72;kyllä;ei;\r\n2024-03-10;125x0;30;1,8;54;kyllä;ei;\r\n" << 0.0f
            << QStringList{"Lisää", "cell 0 1", "type 1"} << QStringList{"2024-03-01;12000;40;1,8;72;kyllä;ei;", "2024-03-10;125x0;30;1,8;54;kyllä;ei;"}
            << "" << "0 1=12000"
            << QStringList(2, "!Tankkaukset: Tankkauslokia LOG ei voitu lukea kokonaan (rivi 3: \"125x0\" ei ole luku). Se näytetään vain luettavana, "
                              "eikä sitä muuteta, jotta mitään ei katoa. Korjaa tai siirrä tiedosto, niin voit taas kirjata tankkauksia.");
        QTest::newRow("no whole chain: nothing to use")
            << QByteArray() << 0.0f << QStringList{"Käytä laskimessa"} << QStringList{} << "" << ""
            << QStringList{"!Tankkaukset: Keskikulutusta ei voi vielä mitata: siihen tarvitaan kaksi täyttä tankkausta, joiden välillä ei ole puuttuvaa tankkausta."};
    }
    void scenarios()
    {
        QFETCH(QByteArray, log);
        QFETCH(float, margin);
        QFETCH(QStringList, steps);
        TestFolders folders;
        const QString path = folders.path("Data/Tankkaukset.csv");
        if (!log.isEmpty())
            QVERIFY(writeBytes(path, log));
        RecordingMessages messages;
        TripStub trip;
        QPointer<FillUpWindow> window = new FillUpWindow(folders.folders(), nullptr, trip,
                                                         {path, Energy::Petrol, {margin != 0, margin}, today});
        QVERIFY(window->Form_Load().ok());
        const auto closeWindow = qScopeGuard([&window] { delete window.data(); });
        window->showInFront();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *table = window->findChild<QTableView *>("Taulukko");
        QVERIFY(table);
        for (const QString &step : steps) {
            if (step == "Lisää" || step == "Poista" || step == "Käytä laskimessa" || step == "Sulje") {
                for (auto *button : window->findChildren<PictureButton *>())
                    if (button->text() == step)
                        QTest::mouseClick(button, Qt::LeftButton);
            } else if (step.startsWith("cell ")) {
                table->setFocus();
                table->setCurrentIndex(table->model()->index(step.section(' ', 1, 1).toInt(), step.section(' ', 2, 2).toInt()));
            } else if (step.startsWith("type ")) {
                // The first key opens the cell's editor, which takes the rest.
                if (auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
                    editor->selectAll();
                for (const QChar c : step.mid(5))
                    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : table, QString(c));
                // A read-only table opens no editor; the keys went to the table.
                if (auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
                    QTest::keyClick(editor, Qt::Key_Return);
            } else if (step == "answer no") {
                messages.answers << false;
            } else {
                const QKeySequence key(step);
                QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : window.data(), key);
            }
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            if (!window || !window->isVisible())
                break;
        }
        QTEST(logRows(path), "saved");
        QFETCH(QString, rowState);
        QFETCH(QString, shown);
        if (window && window->isVisible()) {
            QCOMPARE(window->findChild<QLabel *>("Rivin_tila")->text(), rowState);
            // and a screen reader is told the same, not a fixed name in its place
            QCOMPARE(QAccessible::queryAccessibleInterface(window->findChild<QLabel *>("Rivin_tila"))->text(QAccessible::Name), rowState);
            if (!shown.isEmpty()) {
                const QString place = shown.section('=', 0, 0);
                QCOMPARE(table->model()->index(place.section(' ', 0, 0).toInt(), place.section(' ', 1, 1).toInt()).data().toString(),
                         shown.section('=', 1));
            }
            QCOMPARE(window->findChild<QLabel *>("Kalibrointi")->isVisible(), margin != 0);
        }
        QStringList shownMessages = messages.shown;
        shownMessages.replaceInStrings(shownPath(path), "LOG");
        QTEST(shownMessages, "messages");
    }

    // "Käytä laskimessa" puts the measured average into the main window's field and hides
    // the window.
    void average()
    {
        TestFolders folders;
        const QString path = folders.path("Data/Tankkaukset.csv");
        QVERIFY(writeBytes(path, twoFull + "2024-03-20;13500;70;1,8;126;kyllä;ei;\r\n"));
        RecordingMessages messages;
        TripStub trip;
        QPointer<FillUpWindow> window = new FillUpWindow(folders.folders(), nullptr, trip, {path, Energy::Petrol, {}, today});
        QVERIFY(window->Form_Load().ok());
        window->showInFront();
        QCOMPARE(window->findChild<QLabel *>("Keskikulutus")->text(),
                 QString("Mitattu keskikulutus: 6,666667 l/100 km (100 l ja 1500 km täydestä täyteen)."));
        window->runCommand(FillUpWindow::Command::UseInCalculator);
        QCOMPARE(trip.consumption, QString("6,666667"));
        QVERIFY(!window->isVisible());
        delete window.data();
    }

    // Under the table, the consumption of each full fill-up over its date, once there are
    // two figures, across the whole canvas.
    void curve_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("told"); // the canvas's description
        QTest::addColumn<bool>("drawn");
        QTest::newRow("one figure: no curve yet") << twoFull
            << "Kulutuskäyrä piirretään, kun lokissa on kahden täyden tankkausvälin kulutus." << false;
        QTest::newRow("two figures ten days apart")
            << twoFull + "2024-03-20;13500;70;1,8;126;kyllä;ei;\r\n"
            << "Bensankulutus (L/100Km), 2 tankkausväliä: pienin 6 L/100Km (2024-03-10), suurin 7 L/100Km (2024-03-20)." << true;
    }
    void curve()
    {
        QFETCH(QByteArray, log);
        TestFolders folders;
        const QString path = folders.path("Data/Tankkaukset.csv");
        QVERIFY(writeBytes(path, log));
        RecordingMessages messages;
        TripStub trip;
        FillUpWindow window(folders.folders(), nullptr, trip, {path, Energy::Petrol, {}, today});
        QVERIFY(window.Form_Load().ok());
        window.showInFront();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *canvas = window.findChild<ChartCanvas *>("Kayra");
        QVERIFY(canvas);
        QTEST(canvas->accessibleDescription(), "told");
        QTEST(canvas->hasChart(), "drawn");
        if (canvas->hasChart()) {
            QCOMPARE(canvas->plan().points.size(), 2);
            QVERIFY(canvas->plan().points[1].x > canvas->width() - 2); // the last date at the right edge
        }
    }

    // The column headers name the cells for a screen reader, with the energy's units and
    // tooltips that explain them.
    void headers()
    {
        TestFolders folders;
        TripStub trip;
        RecordingMessages messages;
        FillUpWindow *window = new FillUpWindow(folders.folders(), nullptr, trip,
                                                {folders.path("Data/Tankkaukset.csv"), Energy::Electricity, {}, today});
        QVERIFY(window->Form_Load().ok());
        const QAbstractItemModel *model = window->findChild<QTableView *>("Taulukko")->model();
        QStringList titles;
        for (int c = 0; c < model->columnCount(); ++c) {
            titles << model->headerData(c, Qt::Horizontal).toString();
            QVERIFY(!model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
        }
        QCOMPARE(titles, (QStringList{"Päivämäärä", "Mittarilukema (km)", "Määrä (kWh)", "Hinta (€/kWh)", "Yhteensä (€)", "Täysi",
                                      "Edellinen puuttuu", "Huomautus", "Ajettu (km)", "Kulutus (kWh/100 km)"}));
        delete window;
    }

    // The commands: an import asks once ("Tuo" imports, "Peruuta" leaves the log), the same
    // file twice adds nothing twice; an export is the log with its worked columns.
    void importAndExport()
    {
        TestFolders folders;
        const QString path = folders.path("Data/Tankkaukset.csv");
        const QString source = folders.path("lube.csv");
        QVERIFY(writeBytes(source, "date,odometer,fuelconsumed,cost,isfilltofull,missedfuelup,notes\n"
                                   "1/15/2024,8000,35.5,63.9,True,False,\n1/29/2024,8500,30,54,True,False,\n"));
        RecordingMessages messages;
        messages.files = {source, source, source};
        messages.answers = {false, true};
        QVERIFY(!importFillUps(nullptr, path, Energy::Petrol, today));
        QVERIFY(!QFile::exists(path));
        QVERIFY(importFillUps(nullptr, path, Energy::Petrol, today));
        QCOMPARE(logRows(path), (QStringList{"2024-01-15;8000;35,5;1,8;63,9;kyllä;ei;", "2024-01-29;8500;30;1,8;54;kyllä;ei;"}));
        QVERIFY(!importFillUps(nullptr, path, Energy::Petrol, today));
        QCOMPARE(logRows(path).size(), 2);
        const QString question = "?Tuo tankkaukset: Tiedosto on LubeLogger-vienti. Siitä tuodaan 2 tankkausta ajalta 15.1.2024–29.1.2024.\n\nTuodaanko 2 tankkausta lokiin? [Tuo/Peruuta]";
        QCOMPARE(messages.shown.filter("?"), (QStringList{question, question}));
        QVERIFY(messages.shown.last().contains("2 tankkausta on jo lokissa"));

        const QString out = folders.path("vienti");
        messages.files = {out};
        exportFillUps(nullptr, path, Energy::Petrol, {});
        QCOMPARE(readBytes(out + ".csv"),
                 QByteArray("\xEF\xBB\xBFPäivämäärä;Mittarilukema (km);Määrä (l);Hinta (€/l);Yhteensä (€);Täysi;Edellinen puuttuu;"
                            "Huomautus;Ajettu (km);Kulutus (l/100 km)\r\n"
                            "2024-01-15;8000;35,5;1,8;63,9;kyllä;ei;;;\r\n2024-01-29;8500;30;1,8;54;kyllä;ei;;500;6\r\n"));
    }
};

QTEST_MAIN(TestFillUpWindow)
#include "tst_fillupwindow.moc"

#include "records/FileCommands.h"

#include "FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tankeli;

namespace {

// The file window and the main window's fields, as the commands see them.
struct FakeWindow : FileWindowOperations
{
    RecordStore &store;
    FileMode currentMode = FileMode::Open;
    QString name;
    QStringList list;
    int selected = -1;
    bool hidden = false;
    int rereads = 0;
    QStringList shown;
    QList<bool> answers;
    RecordValues fields{"2", "6,5", "100", "8,45", "6,5"};
    bool calculated = false;

    explicit FakeWindow(RecordStore &s) : store(s) { readList(); }
    void readList()
    {
        list.clear();
        const Outcome<QList<RecordEntry>> listed = store.list();
        for (const RecordEntry &entry : *listed)
            list << entry.name;
    }

    FileMode mode() const override { return currentMode; }
    QString nameText() const override { return name; }
    void setNameText(const QString &text) override { name = text; }
    QStringList entries() const override { return list; }
    int selectedEntry() const override { return selected; }
    void selectEntry(int index) override
    {
        if (index >= 0 && index < list.size()) {
            selected = index;
            name = list[index];
        }
    }
    void hideWindow() override { hidden = true; }
    void rereadList() override
    {
        const QString keep = selected >= 0 ? list[selected] : QString();
        readList();
        selected = int(list.indexOf(keep));
        ++rereads;
    }
    void inform(const QString &text) override { shown << "!" + text; }
    bool ask(const QString &text, const QString &title) override
    {
        shown << "?" + title + ": " + text;
        return answers.isEmpty() || answers.takeFirst();
    }
    RecordValues tripFields() const override { return fields; }
    void setTripFields(const RecordValues &values) override { fields = values; }
    void calculate() override { calculated = true; }
};

const QByteArray recordA("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n");
const QByteArray recordB("1,5\r\n6\r\n100\r\n9\r\n6\r\n");
const QString overwrite = QStringLiteral("?Ylikirjoita: Sinulla on jo olemassa %1 niminen tiedosto. "
                                         "Korvataanko kyseinen tiedosto?");
const QString refusal = QStringLiteral("!Valitse avattava tiedosto listalta.");

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString &name) const { return dir.filePath(name); }

private slots:
    void init()
    {
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(at(name));
        QVERIFY(writeBytes(at("2006_03_07.sav"), recordA));
        QVERIFY(writeBytes(at("matka.sav"), recordB));
    }

    // Command 0 in open mode: select (-1: none), the name field, what is shown, and
    // the main window's fields afterwards (unchanged unless the record opened).
    void open_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("price"); // the main window's price field afterwards
        QTest::newRow("opens the named record") << 0 << "2006_03_07.sav" << QStringList{} << "1,3";
        QTest::newRow("no selection, valid name typed") << -1 << "matka.sav" << QStringList{refusal} << "2";
        QTest::newRow("selected, name not a record") << 1 << "ei_ole.sav" << QStringList{refusal} << "2";
        QTest::newRow("selected, name emptied") << 0 << "" << QStringList{refusal} << "2";
        QTest::newRow("selected, name without .sav") << 0 << "2006_03_07" << QStringList{refusal} << "2";
        QTest::newRow("selected, name leaving stat") << 0 << "../stat/matka.sav" << QStringList{refusal} << "2";
    }
    void open()
    {
        QFETCH(int, select);
        QFETCH(QString, name);
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands commands(store, window);
        window.selectEntry(select);
        window.name = name;
        commands.run(0);
        QTEST(window.shown, "shown");
        QTEST(window.fields[RecPrice], "price");
        const bool opened = window.shown.isEmpty();
        QCOMPARE(window.calculated, opened);
        QCOMPARE(window.hidden, opened);
        QCOMPARE(window.rereads, opened ? 1 : 0);
    }

    void openRefusesARecordThatCannotBeReadWhole()
    {
        QVERIFY(writeBytes(at("lyhyt.sav"), "1,3\r\n7\r\n"));
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands commands(store, window);
        window.selectEntry(int(window.list.indexOf("lyhyt.sav")));
        commands.run(0);
        QCOMPARE(window.shown, QStringList{"!Tiedostosta lyhyt.sav puuttuu rivi 3."});
        QCOMPARE(window.fields[RecPrice], QStringLiteral("2"));
        QVERIFY(!window.hidden);
    }

    // Command 0 in save mode. A record of the final name is never replaced unasked.
    void save_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("written"); // whether matka.sav now holds the fields
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("emptied name") << 0 << "" << QList<bool>{} << QStringList{} << false << 0;
        QTest::newRow("selected, Yes") << 0 << "matka" << QList<bool>{true}
            << QStringList{overwrite.arg("matka.sav")} << true << 0;
        QTest::newRow("selected, No stops on the entry") << 0 << "matka.sav" << QList<bool>{false}
            << QStringList{overwrite.arg("matka.sav")} << false << 1;
        QTest::newRow("nothing selected, asked all the same") << -1 << "matka" << QList<bool>{false}
            << QStringList{overwrite.arg("matka")} << false << -1;
        QTest::newRow("nothing selected, Yes") << -1 << "matka" << QList<bool>{true}
            << QStringList{overwrite.arg("matka")} << true << -1;
        QTest::newRow("upper case is another file") << 1 << "matka.SAV" << QList<bool>{}
            << QStringList{} << false << 1;
        QTest::newRow("leaving stat") << 0 << "../matka" << QList<bool>{}
            << QStringList{"!Tiedostonimessä \"../matka.sav\" on merkki, jota ei voi käyttää. "
                           "Nimessä ei saa olla merkkejä / \\ * ?"} << false << 0;
    }
    void save()
    {
        QFETCH(int, select);
        QFETCH(QString, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, written);
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands commands(store, window);
        window.currentMode = FileMode::Save;
        window.selectEntry(select);
        window.name = typed;
        window.answers = answers;
        commands.run(0);
        QTEST(window.shown, "asked");
        QCOMPARE(readBytes(at("matka.sav")), written ? QByteArray("2\r\n6,5\r\n100\r\n8,45\r\n6,5\r\n") : recordB);
        QTEST(window.selected, "selectedAfter");
        QVERIFY(!window.hidden);
        QVERIFY(!QFile::exists(dir.filePath("../matka.sav")));
    }

    // The walk selects every entry in turn and puts the selection back; a record that
    // can never be saved over is refused before any question.
    void saveWalkAndRefusalBeforeAsking()
    {
        for (int i = 0; i < 300; ++i)
            QVERIFY(writeBytes(at(QStringLiteral("m%1.sav").arg(i, 3, 10, QLatin1Char('0'))), recordA));
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands commands(store, window);
        window.currentMode = FileMode::Save;
        window.selectEntry(2);
        window.name = "m299";
        commands.run(0);
        QCOMPARE(window.shown, QStringList{overwrite.arg("m299.sav")});
        QCOMPARE(window.selected, 2);
        QCOMPARE(window.name, window.list[2]);

        QFile::setPermissions(at("m000.sav"), QFile::ReadOwner);
        window.shown.clear();
        window.name = "m000.sav";
        commands.run(0);
        QCOMPARE(window.shown, QStringList{"!Tiedostoa m000.sav ei voitu tallentaa: Tiedosto on kirjoitussuojattu."});
        QCOMPARE(readBytes(at("m000.sav")), recordA);
    }

    // Command 2, delete.
    void remove_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("deleted");
        const QString confirm = QStringLiteral("?Poista tiedosto: Haluatko varmasti poistaa tiedoston : %1 ?");
        const QString missing = QStringLiteral("!Kyseistä tiedostoa ei löytynyt. Tarkasta nimi");
        QTest::newRow("Yes") << 1 << "matka.sav" << true << QStringList{confirm.arg("matka.sav")} << true;
        QTest::newRow("No") << 1 << "matka.sav" << false << QStringList{confirm.arg("matka.sav")} << false;
        QTest::newRow("name without extension") << 1 << "matka" << true
            << QStringList{confirm.arg("matka"), missing} << false;
        QTest::newRow("nothing selected") << -1 << "matka.sav" << true << QStringList{} << false;
        QTest::newRow("empty name") << 1 << "" << true << QStringList{} << false;
        QTest::newRow("leaving stat") << 1 << "../stat/matka.sav" << true
            << QStringList{confirm.arg("../stat/matka.sav"), missing} << false;
    }
    void remove()
    {
        QFETCH(int, select);
        QFETCH(QString, name);
        QFETCH(bool, answer);
        QFETCH(bool, deleted);
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands commands(store, window);
        window.selectEntry(select);
        window.name = name;
        window.answers = {answer};
        commands.run(2);
        QTEST(window.shown, "shown");
        QCOMPARE(QFile::exists(at("matka.sav")), !deleted);
        QCOMPARE(window.list.contains("matka.sav"), !deleted);
        QCOMPARE(window.name, deleted ? QString() : name);
    }

    void closeHidesOnly()
    {
        RecordStore store(dir.path());
        FakeWindow window(store);
        FileCommands(store, window).run(1);
        QVERIFY(window.hidden);
        QCOMPARE(window.rereads, 0);
    }
};

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"

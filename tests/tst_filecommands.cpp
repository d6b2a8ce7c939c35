#include "records/FileCommands.h"

#include "FileBytes.h"
#include "TestHome.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tankeli;

namespace {

// The file window and the main window's fields, as the commands see them.
struct FakeWindow : FileWindowOperations, TripFields
{
    RecordStore &store;
    FileMode currentMode = FileMode::Open;
    QString name;
    QStringList done; // hidden, calculated, read again: in order
    QStringList shown;
    QList<bool> answers;
    RecordValues fields{"2", "6,5", "100", "8,45", "6,5"};
    QList<RecordEntry> list;
    int selected = -1;

    explicit FakeWindow(RecordStore &s) : store(s), list(*s.list()) {}
    FileMode mode() const override { return currentMode; }
    QString nameText() const override { return name; }
    void setNameText(const QString &text) override { name = text; }
    QList<RecordEntry> entries() const override { return list; }
    int selectedEntry() const override { return selected; }
    void selectEntry(int index) override
    {
        if (index >= 0 && index < list.size())
            name = list[selected = index].name;
    }
    void hideWindow() override { done << "hidden"; }
    void rereadList() override
    {
        const RecordEntry keep = list.value(selected);
        list = *store.list();
        selected = int(list.indexOf(keep));
        done << "read again";
    }
    void inform(const QString &text) override { shown << "!" + text; }
    Answer ask(const QString &text, const QString &title) override
    {
        shown << "?" + title + ": " + text;
        return answers.isEmpty() || answers.takeFirst() ? Answer::Yes : Answer::No;
    }
    RecordValues recordValues() const override { return fields; }
    void setRecordValues(const RecordValues &values) override { fields = values; }
    void calculate() override { done << "calculated"; }
    void useConsumption(const QString &) override {}
};

const QByteArray recordA("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n");
const QByteArray recordB("1,5\r\n6\r\n100\r\n9\r\n6\r\n");
const QString overwrite = QStringLiteral("?Ylikirjoita: Sinulla on jo olemassa %1 niminen tiedosto. "
                                         "Korvataanko kyseinen tiedosto?");
const QString refusal = QStringLiteral("!Valitse avattava tiedosto listalta.");
const QString confirm = QStringLiteral("?Poista tiedosto: Haluatko varmasti poistaa tiedoston : %1 ?");
const QString missing = QStringLiteral("!Kyseistä tiedostoa ei löytynyt. Tarkasta nimi");

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
    TestHome home; // a delete moves the record into its trash
    QTemporaryDir dir;

private slots:
    // A command run in the window with the list of 2006_03_07.sav and matka.sav: what
    // is asked and told, and what the window, the fields and the folder are left with.
    void commands_data()
    {
        QTest::addColumn<int>("command"); // 0 open, 1 save (command 0 in save mode), 2 delete, 3 close
        QTest::addColumn<int>("select");  // -1: no entry selected
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("price");  // the price field afterwards
        QTest::addColumn<int>("selected");   // the entry selected afterwards, -1 for none
        QTest::addColumn<QString>("done");   // hidden, calculated, read again, in order
        QTest::addColumn<QString>("folder"); // the records left, "=new" where saved
        QTest::newRow("open, no selection") << 0 << -1 << "matka.sav" << QList<bool>{} << QStringList{refusal}
            << "2" << -1 << "" << "2006_03_07.sav matka.sav";
        for (const char *name : {"ei_ole.sav", "", "2006_03_07", "../stat/matka.sav"})
            QTest::newRow(qPrintable(QStringLiteral("open %1").arg(name))) << 0 << 1 << name << QList<bool>{}
                << QStringList{refusal} << "2" << 1 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("open a short record") << 0 << 2 << "lyhyt.sav" << QList<bool>{}
            << QStringList{"!Tiedostosta lyhyt.sav puuttuu rivi 3."} << "2" << 2 << "" << "2006_03_07.sav lyhyt.sav matka.sav";
        QTest::newRow("save, emptied name") << 1 << 0 << "" << QList<bool>{} << QStringList{}
            << "2" << 0 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("save over, Yes; the walk puts the selection back") << 1 << 0 << "matka" << QList<bool>{true}
            << QStringList{overwrite.arg("matka.sav")} << "2" << 0 << "read again" << "2006_03_07.sav matka.sav=new";
        QTest::newRow("save over, No stops on the entry") << 1 << 0 << "matka.sav" << QList<bool>{false}
            << QStringList{overwrite.arg("matka.sav")} << "2" << 1 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("nothing selected, asked all the same") << 1 << -1 << "matka" << QList<bool>{false}
            << QStringList{overwrite.arg("matka.sav")} << "2" << -1 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("unlisted, asked by its own name") << 1 << 0 << "uusi" << QList<bool>{false}
            << QStringList{overwrite.arg("uusi.sav")} << "2" << 0 << "" << "2006_03_07.sav matka.sav uusi.sav";
        QTest::newRow("a name the list would hide: refused") << 1 << 0 << ".piilo" << QList<bool>{}
            << QStringList{"!Tiedostonimi \".piilo.sav\" alkaa pisteellä, eikä lista näytä pisteellä alkavia nimiä. "
                           "Anna nimi, joka alkaa muulla merkillä."} << "2" << 0 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("a control character in a field: refused before asking") << 1 << 1 << "matka.sav\x7f" << QList<bool>{}
            << QStringList{"!Arvossa \"6,5\uFFFD\" on ohjausmerkki U+007F, jota ei voi tallentaa."} << "2" << 1 << ""
            << "2006_03_07.sav matka.sav";
        QTest::newRow("the walk has no limit of entries") << 1 << 2 << "m299" << QList<bool>{false}
            << QStringList{overwrite.arg("m299.sav")} << "2" << 300 << "" << "302 files";
        QTest::newRow("upper case is another file") << 1 << 1 << "matka.SAV" << QList<bool>{} << QStringList{}
            << "2" << 1 << "read again" << "2006_03_07.sav matka.sav matka.SAV.sav=new";
        QTest::newRow("save leaving stat") << 1 << 0 << "../matka" << QList<bool>{}
            << QStringList{"!Tiedostonimessä \"../matka.sav\" on merkki, jota ei voi käyttää. Nimessä ei saa olla merkkejä / \\ * ?"}
            << "2" << 0 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("save over a protected record: refused before asking") << 1 << 0 << "suojattu" << QList<bool>{}
            << QStringList{"!Tiedostoa suojattu.sav ei voitu tallentaa: Tiedosto on kirjoitussuojattu."}
            << "2" << 0 << "" << "2006_03_07.sav matka.sav suojattu.sav";
        QTest::newRow("delete without extension") << 2 << 1 << "matka" << QList<bool>{} << QStringList{confirm.arg("matka"), missing}
            << "2" << 1 << "" << "2006_03_07.sav matka.sav";
        QTest::newRow("delete, nothing selected") << 2 << -1 << "matka.sav" << QList<bool>{} << QStringList{}
            << "2" << -1 << "" << "2006_03_07.sav matka.sav";
        // Two files that show alike (UTF-8 and Windows-1252 bytes): the selected one is meant.
        const QString summer = QStringLiteral("kesä.sav");
        QTest::newRow("open the second of two alike") << 0 << 2 << summer << QList<bool>{} << QStringList{}
            << "1,5" << 2 << "calculated hidden read again" << "2006_03_07.sav kesä.sav kesä.sav(1252) matka.sav";
        QTest::newRow("save over the second of two alike") << 1 << 2 << summer << QList<bool>{true, true}
            << QStringList{overwrite.arg(summer), overwrite.arg(summer)}
            << "2" << 2 << "read again" << "2006_03_07.sav kesä.sav kesä.sav(1252)=new matka.sav";
        QTest::newRow("delete the second of two alike") << 2 << 2 << summer << QList<bool>{true} << QStringList{confirm.arg(summer)}
            << "2" << -1 << "read again" << "2006_03_07.sav kesä.sav matka.sav";
        QTest::newRow("delete leaving stat") << 2 << 1 << "../stat/matka.sav" << QList<bool>{}
            << QStringList{confirm.arg("../stat/matka.sav"), missing} << "2" << 1 << "" << "2006_03_07.sav matka.sav";
    }
    void commands()
    {
        QFETCH(int, command);
        QFETCH(int, select);
        QFETCH(QString, name);
        QFETCH(QList<bool>, answers);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        QVERIFY(writeBytes(dir.filePath("2006_03_07.sav"), recordA) && writeBytes(dir.filePath("matka.sav"), recordB));
        for (int i = 0; i < 300 && name == "m299"; ++i)
            QVERIFY(writeBytes(dir.filePath(QStringLiteral("m%1.sav").arg(i, 3, 10, QLatin1Char('0'))), recordA));
        if (name.startsWith("lyhyt"))
            QVERIFY(writeBytes(dir.filePath("lyhyt.sav"), "1,3\r\n7\r\n"));
        if (name.startsWith(QStringLiteral("kesä"))) {
            QVERIFY(writeBytes(dir.filePath(QStringLiteral("kesä.sav")), recordA));
            FILE *file = ::fopen((QFile::encodeName(dir.path()) + "/kes\xe4.sav").constData(), "wb");
            QVERIFY(file && ::fwrite(recordB.constData(), 1, size_t(recordB.size()), file) == size_t(recordB.size()));
            ::fclose(file);
        }
        if (name.startsWith(".piilo"))
            QVERIFY(writeBytes(dir.filePath(".piilo.sav"), recordB));
        const bool control = name.endsWith(QChar(0x7f)); // typed into the consumption field, not the name
        if (control)
            name.chop(1);
        if (name.startsWith("suojattu"))
            QVERIFY(writeBytes(dir.filePath("suojattu.sav"), recordB)
                    && QFile::setPermissions(dir.filePath("suojattu.sav"), QFile::ReadOwner));
        RecordStore store(dir.path());
        FakeWindow window(store);
        if (name == "uusi") // saved since the list was read
            QVERIFY(writeBytes(dir.filePath("uusi.sav"), recordB));
        if (control)
            window.fields[RecConsumption] += QChar(0x7f);
        window.currentMode = command == 1 ? FileMode::Save : FileMode::Open;
        window.selectEntry(select);
        window.name = name;
        window.answers = answers;
        FileCommands(store, window, window).run(command == 2 ? FileCommand::Delete : command == 3 ? FileCommand::Close : FileCommand::OpenOrSave);
        QTEST(window.shown, "shown");
        QStringList files;
        const QList<RecordEntry> onDisk = *store.list();
        for (const RecordEntry &file : onDisk)
            files << file.name + (file.fileName.isValidUtf8() ? "" : "(1252)")
                    + (store.read(file) && *store.read(file) == FakeWindow(store).fields ? "=new" : "");
        QTEST(window.fields[RecPrice], "price");
        QTEST(window.selected, "selected");
        QTEST(window.done.join(' '), "done");
        QTEST(files.size() > 5 ? QStringLiteral("%1 files").arg(files.size()) : files.join(' '), "folder");
        if (command == 2 && window.done.contains("read again"))
            QCOMPARE(window.name, QString()); // a delete empties the name field
    }
};

QTEST_APPLESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"

#include "base/ProgramFolders.h"
#include "vehicles/SettingsFile.h"

#include "FileBytes.h"

#include <QDir>
#include <QDirIterator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tankeli;

class TestSettingsFile : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Arvot.txt")); }

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read"); // the five lines, or a part of the message naming the fault
        QTest::newRow("calibrated") << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n") << "1,3/100/105/True/False";
        QTest::newRow("any case, bare LF, extra lines") << QByteArray("1,30\n97\n100\ntrue\nFALSE\nextra\n")
                                                        << "1,30/97/100/True/False";
        QTest::newRow("no final line end") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue") << "1,3/0/0/False/True";
        QTest::newRow("8-bit price") << QByteArray("1,3\x80\r\n\r\n\r\nFalse\r\nFalse\r\n") << QStringLiteral("1,3€///False/False");
        // An editor that saves in UTF-8 may put a byte-order mark before the first line.
        QTest::newRow("byte-order mark of an editor") << QByteArray("\xef\xbb\xbf" "1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n") << "1,3/0/0/False/True";
        QTest::newRow("missing") << QByteArray() << "ei löytynyt.";
        QTest::newRow("four lines") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\n") << "on vain 4 riviä, vaikka niitä pitää olla viisi. Korjaa tiedosto tekstieditorilla";
        QTest::newRow("line 4") << QByteArray("1,3\r\n0\r\n0\r\nKyllä\r\nTrue\r\n") << "rivillä 4 pitää olla True tai False";
        QTest::newRow("line 5") << QByteArray("1,3\r\n0\r\n0\r\nTrue\r\n1\r\n") << "rivillä 5";
        QTest::newRow("CR-only line ends") << QByteArray("1,3\r0\r0\rFalse\rTrue\r") << "pelkillä CR-merkeillä";
        QTest::newRow("first line over 64 KB") << QByteArray(70000, '1') + "\r\n0\r\n0\r\nFalse\r\nTrue\r\n"
                                               << "rivi 1 on liian pitkä.";
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        QFile::remove(path());
        if (!bytes.isNull())
            QVERIFY(writeBytes(path(), bytes));
        const Outcome<Settings> settings = SettingsFile(path()).read();
        const auto truth = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
        if (settings)
            QCOMPARE((QStringList{settings->price, settings->displayReading, settings->meterReading,
                                  truth(settings->calibrationInUse), truth(settings->timeView)}).join('/'), read);
        else
            QVERIFY2(settings.error().contains(read) && settings.error().contains("Arvot.txt"), qPrintable(settings.error()));
        QCOMPARE(settings.ok(), read.count('/') == 4);
    }

    // Written back byte for byte; a price the file cannot hold falls back to the saved
    // one and the message says so, and the other settings are written all the same. A
    // file that cannot be written at all is kept as it was, and the message says why;
    // in a folder that takes no new file, the file is written in place.
    void writes_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("where"); // a path, or what is protected
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QByteArray kept("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n");
        const QByteArray calibrated("1,3\r\n100\r\n105\r\nTrue\r\nTrue\r\n");
        QTest::newRow("as read") << "1,30" << "Arvot.txt" << QByteArray(calibrated).replace("1,3", "1,30") << "";
        QTest::newRow("euro sign") << QStringLiteral("1,5€") << "Arvot.txt" << QByteArray(calibrated).replace("1,3", "1,5\x80") << "";
        QTest::newRow("price that begins with a byte-order mark's bytes")
            << QStringLiteral("ï»¿1") << "Arvot.txt" << QByteArray(calibrated).replace("1,3", "\xef\xbb\xbf\xef\xbb\xbf" "1") << "";
        QTest::newRow("character outside the set") << QStringLiteral("1,4Ω") << "Arvot.txt" << calibrated
                                                   << QStringLiteral("merkki \"Ω\" | edellinen hinta \"1,3\"");
        QTest::newRow("line break") << QStringLiteral("1,3\n4") << "Arvot.txt" << calibrated << "rivinvaihto | edellinen hinta";
        QTest::newRow("write-protected file") << "2" << "protected file" << kept
                                              << "Tiedosto on kirjoitussuojattu | Aiemmat asetukset jäivät voimaan";
        QTest::newRow("no Data folder") << "2" << "Puuttuu/Arvot.txt" << kept
                                        << "Tiedostoa tai kansiota ei ole | Aiemmat asetukset jäivät voimaan";
        QTest::newRow("read-only folder: in place, shorter") << "" << "protected folder" << QByteArray(calibrated).replace("1,3", "") << "";
        QTest::newRow("read-only folder and file") << "2" << "protected folder and file" << kept << "Tiedosto on kirjoitussuojattu";
        QTest::newRow("read-only folder, no file") << "2" << "protected folder, no file" << QByteArray() << "Ei käyttöoikeutta";
        QTest::newRow("read-only folder, its scratch folder made before: in place")
            << "2" << "protected folder, scratch" << QByteArray(calibrated).replace("1,3", "2") << "";
        QTest::newRow("over the file size limit") << "2" << "Arvot.txt, size limit" << kept
                                                  << "sallittu tiedostokoko | Aiemmat asetukset jäivät voimaan";
    }
    void writes()
    {
        QFETCH(QString, price);
        QFETCH(QString, where);
        QFETCH(QString, message);
        if (where.contains("folder"))
            NEEDS_BINDING_PERMISSIONS();
        QVERIFY(writeBytes(path(), "1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
        if (where.contains("no file"))
            QFile::remove(path());
        QFile::setPermissions(path(), where.contains("file") ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
        QDir(dir.filePath(".tallennus")).removeRecursively();
        if (where.contains("scratch"))
            QDir(dir.path()).mkdir(".tallennus");
        QFile::setPermissions(dir.path(), where.contains("folder") ? readOnly : writable);
        struct rlimit limit;
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const struct rlimit unlimited = limit;
        limit.rlim_cur = where.contains("size limit") ? 10 : limit.rlim_cur; // (ulimit -f)
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SettingsFile file(where.startsWith("protected") ? path() : dir.filePath(where.section(',', 0, 0)));
        (void)file.read(); // the price it holds is the one kept when the new one cannot be
        const Done written = file.write({price, "100", "105", true, true});
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QFile::setPermissions(dir.path(), writable);
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QTEST(readBytes(path()), "file");
        QVERIFY(QDir(dir.filePath(".tallennus")).entryList(QDir::Files).isEmpty()); // no temporary file left
        QCOMPARE(written.ok(), message.isEmpty());
        for (const QString &part : message.split(" | "))
            QVERIFY2(written.error().contains(part), qPrintable(written.error()));
    }

    // A copy whose own Data/ may be written keeps everything beside the program; any other
    // (a package in /usr/bin) reads share/tankeli and keeps each user's files in the user's
    // data folder, made on the first start. Nothing beside the program is ever written.
    void choosesFolders_data()
    {
        QTest::addColumn<QString>("beside");        // what the program's folder holds
        QTest::addColumn<QString>("user");          // what the user's data folder holds
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<QByteArray>("settings");   // the settings file then in use
        QTest::addColumn<QString>("message");
        const QByteArray own("own\r\n");
        const QByteArray installed("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        QTest::newRow("a writable Data: beside") << "Data" << "" << false << own << "";
        QTest::newRow("read-only Data, writable settings: beside") << "read-only Data" << "" << false << own << "";
        QTest::newRow("read-only Data and settings: per user, from them") << "read-only Data and settings" << "" << true << own << "";
        QTest::newRow("no Data: first start copies the settings") << "" << "" << true << installed << "";
        QTest::newRow("the user's own settings kept") << "" << "settings" << true << own << "";
        QTest::newRow("installed settings missing") << "no installed settings" << "" << true << QByteArray()
                                                    << "Asennettua asetustiedostoa | ei voitu lukea";
        // The first folder that could not be made is named, with why.
        QTest::newRow("a read-only home") << "" << "read-only home" << true << QByteArray()
                                          << "Kansiota | home/.local ei voitu tehdä: Ei käyttöoikeutta.";
        // Folders another user could write (and so plant links in) are refused, each by name
        // (shortened in the middle where long) and with the command that closes it.
        const QString openTo = "Muut voivat kirjoittaa kansioon | Tankeli%1, joten Tankeli ei käytä sitä. | chmod go-w {user}%1 ja";
        QTest::newRow("the data folder open to all") << "" << "0777 folder" << true << QByteArray() << openTo.arg("");
        QTest::newRow("Data open to the group") << "" << "0770 Data" << true << QByteArray() << openTo.arg("/Data");
        QTest::newRow("stat sticky and open to all") << "" << "1777 stat" << true << QByteArray() << openTo.arg("/stat");
        QTest::newRow("a link to a folder of one's own") << "" << "0700 folder, a link" << true << installed << "";
        QTest::newRow("a link to a folder open to all") << "" << "0777 folder, a link" << true << QByteArray() << openTo.arg("");
        QTest::newRow("another user's data folder") << "" << "another user's folder" << true << QByteArray()
                                                    << "Kansio | Tankeli kuuluu toiselle käyttäjälle, joten Tankeli ei käytä sitä.";
    }
    void choosesFolders()
    {
        QFETCH(QString, beside);
        QFETCH(QString, user);
        QFETCH(QString, message);
        if (beside.startsWith("read-only") || user.startsWith("read-only"))
            NEEDS_BINDING_PERMISSIONS();
        if (user.startsWith("another") && ::geteuid() != 0)
            QSKIP("a folder of another user's can be made only as root");
        QTemporaryDir root;
        const QString program = root.filePath("usr/bin");
        const QString home = root.filePath("home");
        const QString userFolder = home + "/.local/share/Tankeli";
        QDir(root.path()).mkpath("usr/bin");
        QDir(root.path()).mkpath("usr/share/tankeli");
        if (!beside.contains("installed"))
            writeBytes(root.filePath("usr/share/tankeli/Arvot.txt"), "1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        if (beside.contains("Data")) {
            QDir(program).mkdir("Data");
            writeBytes(program + "/Data/Arvot.txt", "own\r\n");
        }
        if (beside.contains("and settings"))
            QFile::setPermissions(program + "/Data/Arvot.txt", QFile::ReadOwner);
        if (beside.startsWith("read-only"))
            QFile::setPermissions(program + "/Data", readOnly);
        if (user == "settings") {
            QDir().mkpath(userFolder + "/Data");
            writeBytes(userFolder + "/Data/Arvot.txt", "own\r\n");
        }
        QDir().mkpath(home);
        const QString real = user.contains("link") ? root.filePath("muualla") : userFolder;
        if (user.contains("folder"))
            QDir().mkpath(real);
        if (user.contains("link"))
            QDir().mkpath(QFileInfo(userFolder).path()) && QFile::link(real, userFolder);
        for (const QString mode : {"0777 folder", "0770 Data", "1777 stat", "0700 folder"})
            if (user.startsWith(mode)) {
                const QString folder = mode.contains("folder") ? real : userFolder + '/' + mode.section(' ', 1);
                QDir().mkpath(folder);
                QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode.left(4).toUInt(nullptr, 8)) == 0);
            }
        if (user.startsWith("another"))
            QVERIFY(::chown(QFile::encodeName(userFolder).constData(), 65534, 65534) == 0);
        const auto restore = qScopeGuard([&] {
            ::chown(QFile::encodeName(userFolder).constData(), ::geteuid(), ::getegid());
            QFile::setPermissions(home, writable);
        });
        if (user.startsWith("read-only"))
            QFile::setPermissions(home, readOnly);
        const auto tree = [&] {
            QStringList names;
            for (QDirIterator it(root.filePath("usr"), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
                names << it.next() + QString::number(QFileInfo(it.filePath()).size());
            return names;
        };
        const QStringList before = tree();

        const ProgramFolders folders = ProgramFolders::choose(program, userFolder);
        const Done prepared = folders.prepare();
        QFile::setPermissions(program + "/Data", writable);
        QTEST(folders.perUser(), "perUser");
        QCOMPARE(folders.settingsFile().startsWith(userFolder), folders.perUser());
        QCOMPARE(folders.picture("button1.gif"), folders.perUser() ? root.filePath("usr/share/tankeli/pic/button1.gif") : program + "/pic/button1.gif");
        QTEST(readBytes(folders.settingsFile()), "settings");
        if (prepared)
            QCOMPARE(QFileInfo(folders.recordFolder()).isDir(), folders.perUser()); // made, never beside
        QCOMPARE(tree(), before);
        QCOMPARE(prepared.ok(), message.isEmpty());
        for (QString part : message.split(" | "))
            QVERIFY2(prepared.error().contains(part.replace("{user}", userFolder)), qPrintable(prepared.error()));
    }

    // The first start copies the installed settings as they are, byte for byte, and makes
    // the user's folders closed to others from the start, whatever the umask lets through.
    void firstStartCopiesAsInstalled_data()
    {
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<int>("umask");
        QTest::addColumn<QString>("message"); // empty: copied unchanged
        const QByteArray settings("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        // A euro sign in the system's 8-bit set, a NUL, bare CRs, an empty line.
        static const char odd[] = "1,5\x80\r\n\0\xff\r\r\n0\r0\n\r\nTrue\r\n";
        const QByteArray oddBytes(odd, sizeof odd - 1);
        QTest::newRow("CR LF lines, umask 0") << settings << 0 << "";
        QTest::newRow("odd bytes") << oddBytes << 0 << "";
        QTest::newRow("empty") << QByteArray() << 0 << "";
        QTest::newRow("the largest allowed") << QByteArray(64 * 1024, '7') << 022 << "";
        QTest::newRow("one byte over") << QByteArray(64 * 1024 + 1, '7') << 022
                                       << "Asennettu asetustiedosto | Arvot.txt on liian suuri asetustiedostoksi (yli 64 kt).";
    }
    void firstStartCopiesAsInstalled()
    {
        QFETCH(QByteArray, installed);
        QFETCH(int, umask);
        QFETCH(QString, message);
        QTemporaryDir root;
        const QString userFolder = root.filePath("home/.local/share/Tankeli");
        QVERIFY(QDir(root.path()).mkpath("usr/bin") && QDir(root.path()).mkpath("usr/share/tankeli") && QDir(root.path()).mkpath("home"));
        QVERIFY(writeBytes(root.filePath("usr/share/tankeli/Arvot.txt"), installed));
        const mode_t before = ::umask(mode_t(umask));
        const auto restore = qScopeGuard([before] { ::umask(before); });

        const ProgramFolders folders = ProgramFolders::choose(root.filePath("usr/bin"), userFolder);
        const Done prepared = folders.prepare();
        ::umask(before);

        QVERIFY2(prepared.ok() == message.isEmpty(), qPrintable(prepared.error()));
        for (const QString &part : message.split(" | ", Qt::SkipEmptyParts))
            QVERIFY2(prepared.error().contains(part), qPrintable(prepared.error()));
        QCOMPARE(readBytes(folders.settingsFile()), message.isEmpty() ? installed : QByteArray());
        if (!message.isEmpty())
            QVERIFY(!QFileInfo::exists(folders.settingsFile()));
        // Every folder the program made, from .local down to the settings' scratch folder.
        QStringList modes;
        QStringList expected;
        for (QDirIterator it(root.filePath("home"), QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
            const QString folder = it.next().mid(root.path().size() + 1);
            struct stat status {};
            QVERIFY(::stat(QFile::encodeName(it.filePath()).constData(), &status) == 0);
            modes << folder + QStringLiteral(" %1").arg(status.st_mode & 07777, 4, 8, QLatin1Char('0'));
            expected << folder + " 0700";
        }
        QVERIFY(modes.size() >= (message.isEmpty() ? 6 : 5));
        QCOMPARE(modes, expected);
    }

    // A write starts in the program's own hidden folder and removes only what cut-off
    // writes left there; the user's own copies beside the settings are never touched.
    void removesOnlyItsOwnLeftovers_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("kept");
        for (const char *copy : {"Arvot.txt.kopio1", "Arvot.txt.2024v1", "Arvot.txt.Vanha1", "Arvot.txt.aB3dE9", "aB3dE9"})
            QTest::newRow(copy) << QString::fromLatin1(copy) << true;
        QTest::newRow("a cut-off write's leftover") << ".tallennus/aB3dE9" << false;
        QTest::newRow("a note in the scratch folder") << ".tallennus/muistio.txt" << true;
    }
    void removesOnlyItsOwnLeftovers()
    {
        QFETCH(QString, file);
        QVERIFY(writeBytes(path(), "1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
        QDir(dir.path()).mkdir(".tallennus");
        QVERIFY(writeBytes(dir.filePath(file), "x"));
        QVERIFY(SettingsFile(path()).write({"1,3", "0", "0", false, false}));
        QTEST(QFile::exists(dir.filePath(file)), "kept");
        QFile::remove(dir.filePath(file));
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"

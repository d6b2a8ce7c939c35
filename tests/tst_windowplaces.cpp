#include "FileBytes.h"

#include "base/WindowPlaces.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>

using namespace tankeli;

namespace {
// "WxH+X+Y", or "WxH" without a position, as the file writes a place.
QString shown(QSize size, const std::optional<QPoint> &position)
{
    const auto sign = [](int n) { return (n < 0 ? "-" : "+") + QString::number(qAbs(n)); };
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
        + (position ? sign(position->x()) + sign(position->y()) : QString());
}
QRect rectFrom(const QString &text) // "WxH+X+Y"
{
    const WindowPlace place = readWindowPlaces("w " + text.toLatin1()).value("w");
    return QRect(place.position.value_or(QPoint()), place.size);
}
} // namespace

// Where the windows were left: the file's lines as read and written again, where a
// remembered window lands on the screens there now, and a file that cannot be read.
class TestWindowPlaces : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("read"); // as written again; empty: passed over
        const QList<std::tuple<const char *, const char *, const char *>> rows{
            {"size and corner", "Tankeli 560x450+30+40", "Tankeli 560x450+30+40"},
            {"left of and above the screen", "Help 300x420-8-20", "Help 300x420-8-20"},
            {"no corner told", "Help 300x420", "Help 300x420"},
            {"maximised", "Tankeli 560x450+30+40 maximized", "Tankeli 560x450+30+40 maximized"},
            {"maximised, no corner", "Stat 560x450 maximized", "Stat 560x450 maximized"},
            {"CR LF", "Tankeli 560x450+30+40\r", "Tankeli 560x450+30+40"},
            {"half a corner", "Tankeli 560x450+30", ""},
            {"no width", "Tankeli 0x450+1+1", ""},
            {"too wide to be true", "Tankeli 200000x450", ""},
            {"too far to be true", "Tankeli 560x450+200000+0", ""},
            {"another state", "Tankeli 560x450+30+40 minimized", ""},
            {"something after it", "Tankeli 560x450+30+40 maximized x", ""},
            {"a name that is no name", "Tänkeli 560x450", ""},
            {"bytes", "\xff\xfe\x01", ""}};
        for (const auto &[name, line, read] : rows)
            QTest::newRow(name) << QByteArray(line) << QString::fromLatin1(read);
    }
    void lines()
    {
        QFETCH(QByteArray, line);
        const QByteArray again = windowPlacesText(readWindowPlaces(line)).trimmed();
        QTEST(QString::fromLatin1(again), "read");
    }

    void theLastLineOfAWindowCounts()
    {
        const WindowPlaces read = readWindowPlaces("Help 300x420+1+1\nbroken\nTankeli 560x450\nHelp 310x430+2+2\n");
        QCOMPARE(windowPlacesText(read), QByteArray("Help 310x430+2+2\nTankeli 560x450\n"));
    }

    void onScreens_data()
    {
        QTest::addColumn<QString>("remembered"); // "WxH+X+Y", or "WxH" without a corner
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QString>("screens");    // their available areas, "WxH+X+Y;.."
        QTest::addColumn<QString>("placed");     // "WxH": placed as when nothing is remembered
        const QSize main(434, 367);
        const QSize help(167, 267);
        const QString one = "1280x1024+0+0";
        const QString two = "1280x1024+0+0;1920x1080+1280+0";
        QTest::newRow("no corner: only the size") << "560x450" << main << one << "560x450";
        QTest::newRow("partly off right and bottom") << "560x450+1000+900" << main << one << "560x450+720+574";
        QTest::newRow("under a panel at the top") << "560x450+30+0" << main << "1280x994+0+30" << "560x450+30+30";
        QTest::newRow("just beyond the edge") << "300x420+1280+0" << help << one << "300x420";
        QTest::newRow("one pixel on the screen") << "300x420+1279+0" << help << one << "300x420+980+0";
        QTest::newRow("on the second screen") << "300x420+1500+100" << help << two << "300x420+1500+100";
        QTest::newRow("across two: the one it covers most") << "600x400+1000+100" << main << two << "600x400+1280+100";
        QTest::newRow("larger than the screen") << "2000x1500+10+10" << main << one << "1280x1024+0+0";
        QTest::newRow("the minimum above the screen") << "900x900+50+50" << QSize(800, 700) << "640x480+0+0" << "800x700+0+0";
        QTest::newRow("no screens told") << "560x450+30+40" << main << "" << "560x450";
    }
    void onScreens()
    {
        QFETCH(QString, remembered);
        QFETCH(QSize, minimum);
        QFETCH(QString, screens);
        WindowPlace place = readWindowPlaces("w " + remembered.toLatin1()).value("w");
        QList<QRect> areas;
        for (const QString &screen : screens.split(';', Qt::SkipEmptyParts))
            areas << rectFrom(screen);
        const Placement placed = placeOnScreens(place, minimum, areas);
        QTEST(shown(placed.size, placed.position), "placed");
    }

    // Whatever is in the file's place, the program starts: what cannot be read counts as
    // nothing remembered.
    void unreadable_data()
    {
        QTest::addColumn<QString>("inPlace");
        QTest::newRow("nothing") << "";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("a file that may not be read") << "unreadable";
        QTest::newRow("a file too long, its lines past the limit") << "long";
    }
    void unreadable()
    {
        QFETCH(QString, inPlace);
        if (inPlace == "unreadable")
            NEEDS_BINDING_PERMISSIONS();
        QTemporaryDir dir;
        const QString path = dir.filePath("Ikkunat.txt");
        if (inPlace == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (inPlace == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (inPlace == "unreadable")
            QVERIFY(writeBytes(path, "Tankeli 560x450+30+40\n") && QFile::setPermissions(path, QFile::WriteOwner));
        else if (inPlace == "long")
            QVERIFY(writeBytes(path, QByteArray(WindowPlacesFile::maxBytes, '\n') + "Tankeli 560x450+30+40\n"));
        QVERIFY(WindowPlacesFile(path, dir.filePath(".tallennus")).read().isEmpty());
    }

    // A write replaces the file whole, through the program's own scratch folder, and
    // what is written is read back as it was.
    void written()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Ikkunat.txt");
        QVERIFY(writeBytes(dir.filePath("Ikkunat.txt.kopio"), "my own copy"));
        const WindowPlacesFile file(path, dir.filePath(".tallennus"));
        const WindowPlaces places{{"Tankeli", {QSize(560, 450), QPoint(-8, 20), true}}, {"Help", {QSize(300, 420), std::nullopt, false}}};
        QVERIFY(file.write(places));
        QCOMPARE(file.read(), places);
        QCOMPARE(readBytes(path), QByteArray("Help 300x420\nTankeli 560x450-8+20 maximized\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Ikkunat.txt", "Ikkunat.txt.kopio"}));
        QCOMPARE(QDir(dir.filePath(".tallennus")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_APPLESS_MAIN(TestWindowPlaces)
#include "tst_windowplaces.moc"

#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "look/PictureButton.h"
#include "records/Tiedosto.h"
#include "statistics/ChartCanvas.h"
#include "statistics/Stat.h"

#include <QListWidget>

using namespace tankeli;

namespace {
QByteArray record(const QString &consumption)
{
    return "1,3\r\n" + consumption.toLatin1() + "\r\n100\r\n8\r\n6\r\n";
}
int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80;
    return count;
}
} // namespace

class TestStatWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    void writeRecords(const QList<QByteArray> &records)
    {
        for (int i = 0; i < records.size(); ++i)
            QVERIFY(writeBytes(dirs->stat(QStringLiteral("r%1.sav").arg(i)), records[i]));
    }
    Stat *open()
    {
        menu("Menu_Stat")->trigger();
        Stat *stat = window<Stat>();
        if (stat)
            canvas()->resize(329, 212); // the canvas of the worked example
        return stat;
    }
    ChartCanvas *canvas() const { return in<ChartCanvas>(window<Stat>(), "Taulu"); }
    PictureButton *selector(int i) const
    {
        return in<PictureButton>(window<Stat>(), qPrintable(QStringLiteral("Knapi(%1)").arg(i)));
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensWithItsCaptionsAndAWhiteCanvas()
    {
        Stat *stat = open();
        QVERIFY(stat && stat->isVisible());
        QCOMPARE(stat->windowTitle(), QStringLiteral("Statistiikka"));
        QCOMPARE(in<QLabel>(stat, "txt_Otsikko")->text(), QStringLiteral("Statistiikka ikkuna"));
        QStringList captions;
        for (int i = 0; i < 5; ++i)
            captions << selector(i)->text();
        QCOMPARE(captions, (QStringList{"Bensanhinta", "Bensankulutus", "Matka", "Kokonaiskulutus", "Yhteishinta"}));
        QCOMPARE(in<PictureButton>(stat, "Nappi(0)")->text(), QStringLiteral("Sulje"));
        QCOMPARE(redPixels(canvas()->grab().toImage()), 0);
    }

    // A selector click draws the red curve; its walk leaves the last record selected in
    // the file window; every faulted step gives one message.
    void selectorClicksDraw_data()
    {
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<QStringList>("shown");
        const QString fault = QStringLiteral("!Tankeli: Jokin arvo ei täsmää. Tarkasta ettei luvuissa ole kirjaimia "
                                             "tai ettei desimaalit ole . merkillä.");
        QTest::newRow("three consumptions") << QList<QByteArray>{record("7,5"), record("8"), record("6,5")}
                                            << QStringList{};
        QTest::newRow("decimal point") << QList<QByteArray>{record("7"), record("6.5")} << QStringList{fault};
        QTest::newRow("one record") << QList<QByteArray>{record("7")}
            << QStringList{"!Huomio!: Et voi tarkastella statistiikkaa vielä. Sinulla on oltava minimissään 2 "
                           "tiedostoa tallennettuna tietokantaan, jotta käyrä voidaan muodostaa."};
    }
    void selectorClicksDraw()
    {
        QFETCH(QList<QByteArray>, records);
        QFETCH(QStringList, shown);
        writeRecords(records);
        open();
        QTest::mouseClick(selector(1), Qt::LeftButton, {}, selector(1)->captionRect().center());
        QTEST(messages->shown, "shown");
        QCOMPARE(redPixels(canvas()->grab().toImage()) > 100, records.size() > 1);
        QListWidget *list = in<QListWidget>(window<Tiedosto>(), "Tiedostot");
        QCOMPARE(list->currentRow(), records.size() > 1 ? int(records.size()) - 1 : -1);
        if (records.size() == 3)
            QCOMPARE(canvas()->plan().topLabel.text, QStringLiteral("8,5L/100Km"));
    }

    void chartStaysAndFollowsTheCanvasSizeWithoutReading()
    {
        writeRecords({record("7,5"), record("8"), record("6,5")});
        Stat *stat = open();
        stat->Piirra_Kayra(1);
        stat->Nappi_Komento(0);
        QVERIFY(stat->isHidden());
        QCOMPARE(open(), stat);
        for (int i = 0; i < 3; ++i)
            QVERIFY(QFile::remove(dirs->stat(QStringLiteral("r%1.sav").arg(i))));
        stat->resize(stat->width() + 40, stat->height() + 100);
        QTRY_VERIFY(canvas()->height() > 212);
        QCOMPARE(canvas()->plan().segments.size(), 2);
        QCOMPARE(canvas()->plan().bottomLabel.y, float(canvas()->height() - 20));
        QVERIFY(redPixels(canvas()->grab().toImage()) > 100);
        QVERIFY(messages->shown.isEmpty());
    }

    void keysHideTheWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
        QTest::newRow("s") << int(Qt::Key_S) << 0;
        QTest::newRow("S") << int(Qt::Key_S) << int(Qt::ShiftModifier);
    }
    void keysHideTheWindow()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Stat *stat = open();
        QTest::keyClick(canvas(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(stat->isHidden());
        QCOMPARE(window<Stat>(), stat);
    }

    void selectorHighlightFollowsThePointer()
    {
        Stat *stat = open();
        const auto highlighted = [this] {
            int on = -1;
            for (int i = 0; i < 5; ++i)
                if (selector(i)->picture() != selector((i + 1) % 5)->picture()
                    && selector(i)->picture() != selector((i + 2) % 5)->picture())
                    on = i;
            return on;
        };
        moveOver(selector(2));
        QCOMPARE(highlighted(), 2);
        moveOver(selector(4), selector(4)->captionRect().center());
        QCOMPARE(highlighted(), 4);
        moveOver(canvas()); // the canvas leaves it on
        QCOMPARE(highlighted(), 4);
        moveOver(stat, QPoint(2, stat->height() - 2)); // the background clears it
        QCOMPARE(highlighted(), -1);
    }
};

QTEST_MAIN(TestStatWindow)
#include "tst_statwindow.moc"

#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"
#include "records/Tiedosto.h"
#include "statistics/ChartCanvas.h"
#include "statistics/Stat.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace tankeli;

namespace {
QByteArray record(const QString &consumption)
{
    return "1,3\r\n" + consumption.toLatin1() + "\r\n100\r\n8\r\n6\r\n";
}
bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}
int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isRed(image.pixel(x, y));
    return count;
}
} // namespace

class TestStatWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    void writeRecords(const QList<QByteArray> &records)
    {
        for (int i = 0; i < records.size(); ++i)
            QVERIFY(writeBytes(dirs->path(QStringLiteral("stat/r%1.sav").arg(i)), records[i]));
    }
    Stat *open()
    {
        main->Menu_Stat->trigger();
        Stat *stat = main->statWindow();
        // The designed canvas of the worked example: 329 × 212 pixels.
        stat->Taulu()->resize(329, 212);
        return stat;
    }
private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensWithItsCaptions()
    {
        Stat *stat = open();
        QVERIFY(stat->isVisible());
        QCOMPARE(stat->windowTitle(), QStringLiteral("Statistiikka"));
        QCOMPARE(stat->txt_Otsikko()->text(), QStringLiteral("Statistiikka ikkuna"));
        QStringList captions;
        for (int i = 0; i < 5; ++i) {
            captions << stat->Knapit()->Nappi_Txt(i)->text();
            QCOMPARE(stat->Knapit()->Nappi(i)->accessibleName(), captions.last());
            QLabel *label = stat->Knapit()->Nappi_Txt(i);
            QVERIFY2(captionFits(label), qPrintable(label->text()));
        }
        QCOMPARE(captions, (QStringList{"Bensanhinta", "Bensankulutus", "Matka", "Kokonaiskulutus",
                                        "Yhteishinta"}));
        QCOMPARE(stat->buttons()->Nappi(0)->accessibleName(), QStringLiteral("Sulje"));
        QVERIFY(!stat->Taulu()->hasChart());
    }

    void threeConsumptionsOnTheCanvas()
    {
        writeRecords({record("7,5"), record("8"), record("6,5")});
        Stat *stat = open();
        stat->Piirra_Kayra(1);
        QVERIFY(messages->shown.isEmpty());
        const ChartPlan &plan = stat->Taulu()->plan();
        QCOMPARE(plan.topLabel.text, QStringLiteral("8,5L/100Km"));
        QCOMPARE(plan.middleLabel.text, QStringLiteral("4,25L/100Km"));
        QCOMPARE(plan.bottomLabel.text, QStringLiteral("0L/100Km"));
        const QImage image = stat->Taulu()->grab().toImage();
        QCOMPARE(image.size(), QSize(329, 212));
        for (const QPoint &onCurve : {QPoint(2, 25), QPoint(164, 13), QPoint(327, 49)})
            QVERIFY2(isRed(image.pixel(onCurve)), qPrintable(QString::number(onCurve.x())));
        QVERIFY(!isRed(image.pixel(164, 100)));
        QCOMPARE(QColor(image.pixel(300, 200)), QColor(Qt::white));
        int dark = 0; // the labels and the title are black text
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 60; ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY(dark > 20);
        QCOMPARE(stat->Taulu()->pointText(QPointF(1, 25)), QStringLiteral("r0.sav: 7,5 L/100Km"));
        // The file window, created hidden, ends on the last entry.
        QCOMPARE(main->existingFileWindow()->Tiedostonimi()->text(), QStringLiteral("r2.sav"));
        QVERIFY(main->existingFileWindow()->isHidden());
    }

    void tooFewRecordsLeaveTheCanvas_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
    }
    void tooFewRecordsLeaveTheCanvas()
    {
        QFETCH(int, records);
        writeRecords(QList<QByteArray>(records, record("7")));
        Stat *stat = open();
        stat->Piirra_Kayra(0);
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].title, QStringLiteral("Huomio!"));
        QCOMPARE(messages->shown[0].icon, Messages::Icon::Critical);
        QVERIFY(messages->shown[0].text.startsWith(QStringLiteral("Et voi tarkastella statistiikkaa vielä.")));
        QVERIFY(!stat->Taulu()->hasChart());
    }

    void faultsGiveOneMessageEach_data()
    {
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("curve");
        QTest::newRow("decimal point") << QList<QByteArray>{record("7"), record("6.5")} << 1 << 1 << true;
        QTest::newRow("empty field") << QList<QByteArray>{record(""), record("7")} << 1 << 1 << true;
        QTest::newRow("three lines") << QList<QByteArray>{record("7"), "1,3\r\n5\r\n250\r\n"} << 4 << 2
                                     << true;
        QTest::newRow("two records, edge to edge") << QList<QByteArray>{record("4"), record("6")} << 1
                                                   << 0 << true;
        QTest::newRow("all zero") << QList<QByteArray>{record("0"), record("0"), record("0")} << 1 << 2
                                  << false;
    }
    void faultsGiveOneMessageEach()
    {
        QFETCH(QList<QByteArray>, records);
        QFETCH(int, selector);
        QFETCH(bool, curve);
        writeRecords(records);
        Stat *stat = open();
        stat->Piirra_Kayra(selector);
        QTEST(int(messages->shown.size()), "messages");
        for (const auto &m : messages->shown) {
            QCOMPARE(m.title, QStringLiteral("Tankeli"));
            QCOMPARE(m.text, chartFaultMessage);
        }
        const QImage image = stat->Taulu()->grab().toImage();
        QCOMPARE(redPixels(image) > 0, curve);
        const auto rowOf = [&image](float y) { return qBound(0, int(y), image.height() - 1); };
        if (curve) // the curve runs from the left edge to the right edge
            QVERIFY(isRed(image.pixel(1, rowOf(stat->Taulu()->plan().points.first().y)))
                    && isRed(image.pixel(327, rowOf(stat->Taulu()->plan().points.last().y))));
    }

    void selectorsForLitresAndTripPrice_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<QString>("top");
        QTest::newRow("litres") << 3 << "7L";
        QTest::newRow("trip price") << 4 << "9€";
    }
    void selectorsForLitresAndTripPrice()
    {
        QFETCH(int, selector);
        writeRecords({record("7"), record("7")});
        Stat *stat = open();
        QTest::mouseClick(stat->Knapit()->Nappi(selector), Qt::LeftButton);
        QTEST(stat->Taulu()->plan().topLabel.text, "top");
    }

    void chartStaysAndFollowsTheCanvasSizeWithoutReading()
    {
        writeRecords({record("7,5"), record("8"), record("6,5")});
        Stat *stat = open();
        stat->Piirra_Kayra(1);
        stat->Nappi_Komento(0);
        QVERIFY(stat->isHidden());
        main->Menu_Stat->trigger();
        QCOMPARE(main->statWindow(), stat);
        QVERIFY(stat->Taulu()->hasChart());
        for (int i = 0; i < 3; ++i)
            QVERIFY(QFile::remove(dirs->path(QStringLiteral("stat/r%1.sav").arg(i))));
        stat->resize(stat->width() + 40, stat->height() + 100);
        QTRY_VERIFY(stat->Taulu()->height() > 212);
        const ChartPlan &plan = stat->Taulu()->plan();
        QCOMPARE(plan.segments.size(), 2);
        QCOMPARE(plan.segments.last().x2, 329.0f);
        QCOMPARE(plan.bottomLabel.y, float(stat->Taulu()->height() - 20));
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
        QTest::keyClick(stat->Taulu(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(stat->isHidden());
    }

    void selectorHighlightIsItsOwn()
    {
        Stat *stat = open();
        PictureButtons *knapit = stat->Knapit();
        knapit->Korosta_Nappi(2);
        stat->buttons()->Korosta_Nappi(0);
        QVERIFY(knapit->isHighlighted(2) && stat->buttons()->isHighlighted(0));
        knapit->Korosta_Nappi(4);
        QVERIFY(!knapit->isHighlighted(2) && knapit->isHighlighted(4));
        emit stat->backgroundMouseMoved();
        QVERIFY(!knapit->isHighlighted(4) && !stat->buttons()->isHighlighted(0));
    }
};

QTEST_MAIN(TestStatWindow)
#include "tst_statwindow.moc"

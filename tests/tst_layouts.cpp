#include "help/HelpLayout.h"
#include "look/GradientRamp.h"
#include "look/Halving.h"
#include "look/WindowGeometry.h"
#include "mainwindow/MainLayout.h"
#include "records/FileLayout.h"
#include "calibration/CalibrationLayout.h"
#include "statistics/StatLayout.h"

#include <QTest>

using namespace tankeli;

class TestLayouts : public QObject
{
    Q_OBJECT
private slots:
    void halving_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("half");
        QTest::newRow("424") << 424.0 << 212;
        QTest::newRow("57") << 57.0 << 28;
        QTest::newRow("2.5 to even 2") << 2.5 << 1;
        QTest::newRow("3.5 to even 4") << 3.5 << 2;
        QTest::newRow("negative truncates") << -3.0 << -1;
    }
    void halving()
    {
        QFETCH(double, value);
        QTEST(int(halfOf(value)), "half");
    }

    void mainWindowAtTheDesignedSize()
    {
        const MainLayout l = layoutMainWindow(424, 320);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(l.fields[i], QPointF(184, 58 + 30 * i));
            QCOMPARE(l.captions[i], QPointF(61, 58 + 30 * i));
            QCOMPARE(l.units[i], QPointF(251, 58 + 30 * i));
        }
        QCOMPARE(l.title, QPointF(0, 12));
        QCOMPARE(l.buttons[0], QPointF(8.6, 272));
        QCOMPARE(l.buttons[1], QPointF(156, 272));
        QCOMPARE(l.buttons[2], QPointF(302.4, 272));
        for (int k = 0; k < 3; ++k)
            QCOMPARE(l.buttonCaptions[k], l.buttons[k] + QPointF(8, 8));
    }

    void mainWindowFollowsItsSize()
    {
        const MainLayout base = layoutMainWindow(424, 320);
        const MainLayout wider = layoutMainWindow(524, 320);
        QCOMPARE(wider.fields[3], base.fields[3] + QPointF(50, 0));
        QCOMPARE(wider.buttons[2], base.buttons[2] + QPointF(50, 0));
        const MainLayout taller = layoutMainWindow(424, 500);
        QCOMPARE(taller.fields[0].y(), 500 * 0.3 - 38);
        QCOMPARE(taller.fields[6].y() - taller.fields[5].y(), 30.0);
        QCOMPARE(taller.buttons[0].y(), 425.0);
        const MainLayout minimised = layoutMainWindow(0, 0);
        QCOMPARE(minimised.fields[0].y(), -38.0);
        QCOMPARE(minimised.title.y(), -20.0);
    }

    void helpWindow_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("width");  // -1: left unchanged
        QTest::addColumn<double>("height"); // -1: left unchanged
        QTest::addColumn<QPointF>("button");
        QTest::newRow("designed") << QSize(304, 401) << 284.0 << 301.0 << QPointF(96, 351);
        QTest::newRow("narrow") << QSize(151, 228) << 131.0 << 128.0 << QPointF(19, 178);
        QTest::newRow("minimised") << QSize(0, 0) << -1.0 << -1.0 << QPointF(-56, -50);
    }
    void helpWindow()
    {
        QFETCH(QSize, client);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QPointF, button);
        const HelpLayout l = layoutHelpWindow(client.width(), client.height());
        QCOMPARE(l.textWidth.value_or(-1), width);
        QCOMPARE(l.textHeight.value_or(-1), height);
        QCOMPARE(l.button, button);
        QCOMPARE(l.buttonCaption, button + QPointF(8, 8));
    }

    void fileWindowAtTheDesignedSize()
    {
        const FileLayout l = layoutFileWindow(424, 314, 162);
        QCOMPARE(l.list, QPointF(96, 31.4f));
        QCOMPARE(*l.listHeight, 151.2f);
        QCOMPARE(l.heading, QPointF(96, 31.4f - 17));
        QCOMPARE(l.nameField.y(), double(31.4f) + double(151.2f) + 10);
        QCOMPARE(l.buttons[0], QPointF(156, 266.9f));
        QCOMPARE(l.buttons[1].x(), 33.0);
        QCOMPARE(l.buttons[2].x(), 279.0);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(l.buttonCaptions[k], l.buttons[k] + QPointF(8, 8));
        // Minimised: the list keeps its height and the name field stays below it.
        const FileLayout minimised = layoutFileWindow(0, 0, 162);
        QVERIFY(!minimised.listHeight.has_value());
        QCOMPARE(minimised.nameField.y(), 172.0);
    }

    void statWindowAtTheDesignedSize()
    {
        const StatLayout l = layoutStatWindow(342, 354);
        QCOMPARE(l.canvas, QPointF(7, 17.7));
        QCOMPARE(l.canvasHeight, 212.4);
        QCOMPARE(l.title, QPointF(7, 0.7));
        const QList<QPointF> selectors{{9, 258.42}, {119, 258.42}, {229, 258.42},
                                       {66, 288.42}, {181, 288.42}};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(l.selectors[i], selectors[i]);
            QCOMPARE(l.selectorCaptions[i], selectors[i] + QPointF(8, 4));
        }
        QCOMPARE(l.button, QPointF(115, 321.42));
        QCOMPARE(l.buttonCaption, QPointF(123, 329.42));
    }

    void calibrationWindowAtTheDesignedSize()
    {
        const CalibrationLayout l = layoutCalibrationWindow(318, 256);
        QCOMPARE(l.title, QPointF(-1, 5.6));
        QCOMPARE(l.fields[0], QPointF(111, 76.8));
        QCOMPARE(l.fields[2], QPointF(111, 136.8));
        QCOMPARE(l.captions[1], QPointF(-12, 106.8));
        QCOMPARE(l.units[1], QPointF(218, 106.8));
        QCOMPARE(l.choiceCaption, QPointF(59, 176.8));
        QCOMPARE(l.option, QPointF(25, 176.8));
        QCOMPARE(l.button, QPointF(103, 206));
        QCOMPARE(l.buttonCaption, QPointF(111, 214));
    }

    void minimumSizesFromTwips()
    {
        QCOMPARE(minimumInnerSize(6500, 5500), QSize(418, 328));
        QCOMPARE(minimumInnerSize(2500, 4000), QSize(151, 228));
        // Every window's designed client area fits within its minimum.
        const QSize main = minimumInnerSize(MainLayout::minimumOuterWidthTwips,
                                            MainLayout::minimumOuterHeightTwips);
        QVERIFY(main.width() <= 424 && main.height() <= 320 + 30);
    }

    void gradientRows_data()
    {
        QTest::addColumn<int>("height");
        for (int h : {1, 2, 320, 1000})
            QTest::newRow(qPrintable(QString::number(h))) << h;
    }
    void gradientRows()
    {
        QFETCH(int, height);
        QCOMPARE(gradientColourAt(0, height), gradientTop);
        if (height > 1)
            QCOMPARE(gradientColourAt(height - 1, height), gradientBottom);
        int previous = 256;
        for (int row = 0; row < height; ++row) {
            const int red = gradientColourAt(row, height).red;
            QVERIFY(red <= previous);
            previous = red;
        }
    }
};

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"

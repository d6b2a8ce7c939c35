#include "calibration/CalibrationLayout.h"
#include "help/HelpLayout.h"
#include "mainwindow/MainLayout.h"
#include "records/FileLayout.h"
#include "statistics/StatLayout.h"

#include <QTest>

using namespace tankeli;

class TestLayouts : public QObject
{
    Q_OBJECT
private slots:
    // The worked positions of every window at a given client size.
    void positions_data()
    {
        QTest::addColumn<QList<QPointF>>("placed");
        QTest::addColumn<QList<QPointF>>("expected");
        const MainLayout m = layoutMainWindow(424, 320);
        QTest::newRow("main, designed") << QList<QPointF>{m.fields[0], m.fields[6], m.captions[3], m.units[5],
                                                          m.title, m.buttons[0], m.buttons[1], m.buttons[2]}
            << QList<QPointF>{{184, 58}, {184, 238}, {61, 148}, {251, 208}, {0, 12}, {8.6, 272}, {156, 272}, {302.4, 272}};
        const MainLayout wide = layoutMainWindow(524, 500);
        QTest::newRow("main, wider and taller") << QList<QPointF>{wide.fields[0], wide.fields[6], wide.buttons[2]}
            << QList<QPointF>{{234, 112}, {234, 292}, {352.4, 425}};
        const HelpLayout h = layoutHelpWindow(304, 401);
        QTest::newRow("help, designed") << QList<QPointF>{h.button, {*h.textWidth, *h.textHeight}}
                                        << QList<QPointF>{{96, 351}, {284, 301}};
        const HelpLayout narrow = layoutHelpWindow(151, 228);
        QTest::newRow("help, narrow") << QList<QPointF>{narrow.button, {*narrow.textWidth, *narrow.textHeight}}
                                      << QList<QPointF>{{19, 178}, {131, 128}};
        const FileLayout f = layoutFileWindow(424, 314, 162);
        QTest::newRow("file, designed") << QList<QPointF>{f.list, {0, *f.listHeight}, f.heading, f.nameField,
                                                          f.buttons[0], f.buttons[1], f.buttons[2]}
            << QList<QPointF>{{96, 31.4f}, {0, 151.2f}, {96, 31.4f - 17}, {96, double(31.4f) + double(151.2f) + 10},
                              {156, 266.9f}, {33, 266.9f}, {279, 266.9f}};
        const StatLayout s = layoutStatWindow(342, 354);
        QTest::newRow("stat, designed") << QList<QPointF>{s.canvas, {0, s.canvasHeight}, s.title, s.selectors[0],
                                                          s.selectors[1], s.selectors[2], s.selectors[3],
                                                          s.selectors[4], s.button}
            << QList<QPointF>{{7, 17.7}, {0, 212.4}, {7, 0.7}, {9, 258.42}, {119, 258.42}, {229, 258.42},
                              {66, 288.42}, {181, 288.42}, {115, 321.42}};
        const CalibrationLayout c = layoutCalibrationWindow(318, 256);
        QTest::newRow("calibration, designed") << QList<QPointF>{c.title, c.fields[0], c.fields[2], c.captions[1],
                                                                 c.units[1], c.choiceCaption, c.option, c.button}
            << QList<QPointF>{{-1, 5.6}, {111, 76.8}, {111, 136.8}, {-12, 106.8}, {218, 106.8}, {59, 176.8},
                              {25, 176.8}, {103, 206}};
    }
    void positions()
    {
        QFETCH(QList<QPointF>, placed);
        QFETCH(QList<QPointF>, expected);
        QCOMPARE(placed, expected);
    }
};

QTEST_APPLESS_MAIN(TestLayouts)
#include "tst_layouts.moc"

#include "monitor/chart.h"
#include "monitor/drawer.h"
#include "tests/support/messagecapture.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

// The canvas painted offscreen and read back pixel by pixel where the geometry matters.
class TestDrawer : public QObject
{
    Q_OBJECT

private slots:
    void init() { messages = std::make_unique<MessageCapture>(); }
    void cleanup() { messages.reset(); }

    void chartCapacity();
    void valuesReachMatchingCharts();
    void widthAndDotPositions();
    void bandLeavesOutSamplesOnTheAxis();
    void dynamicBounds_data();
    void dynamicBounds();
    void manualBoundsDoNotMove();
    void scaleMarks_data();
    void scaleMarks();
    void equalBoundsDrawNoScale();
    void resolutionAndScrolling();
    void legend();
    void clearValues();
    void timer();

private:
    static std::unique_ptr<Drawer> canvas(int width, int height, int capacity = 10000);
    static Chart* chart(Drawer& drawer, char type, const QString& name, QColor color);
    static QList<int> dotColumns(const QImage& image, QColor color, int left, int right);
    static int darkestRow(const QImage& image, int x, QColor color);
    static int topRow(const QImage& image, QColor color, int left, int right);

    std::unique_ptr<MessageCapture> messages;
};

std::unique_ptr<Drawer> TestDrawer::canvas(int width, int height, int capacity)
{
    auto drawer = std::make_unique<Drawer>();
    drawer->setCapacity(capacity);
    drawer->resize(width, height);
    return drawer;
}

Chart* TestDrawer::chart(Drawer& drawer, char type, const QString& name, QColor color)
{
    auto* c = new Chart(0, type, name);
    c->setColor(color);
    drawer.addChart(c);
    return c;
}

// Columns in [left, right) holding a pixel close to the colour (the centre of a dot).
QList<int> TestDrawer::dotColumns(const QImage& image, QColor color, int left, int right)
{
    QList<int> columns;
    for (int x = left; x < right; ++x) {
        for (int y = 21; y < image.height() - 15; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green()) +
                    qAbs(pixel.blue() - color.blue()) <
                100) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

int TestDrawer::darkestRow(const QImage& image, int x, QColor color)
{
    int best = -1, bestDistance = 1 << 30;
    for (int y = 0; y < image.height(); ++y) {
        const QColor pixel = image.pixelColor(x, y);
        const int distance = qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green()) +
                             qAbs(pixel.blue() - color.blue());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = y;
        }
    }
    return best;
}

int TestDrawer::topRow(const QImage& image, QColor color, int left, int right)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (image.pixelColor(x, y) == color)
                return y;
    return -1;
}

void TestDrawer::chartCapacity()
{
    Chart c(0, 3, "x");
    c.setCapacity(10000);
    for (int i = 0; i < 10000; ++i)
        c.addValue(i);
    QCOMPARE(c.values().size(), 10000);
    c.addValue(10000);
    QCOMPARE(c.values().size(), 10000);
    QCOMPARE(c.values().first(), 1.0);
    QCOMPARE(c.values().last(), 10000.0);
    c.setCapacity(10);
    QCOMPARE(c.values().size(), 10);
    QCOMPARE(c.values().first(), 9991.0);

    // A chart added to a canvas takes the canvas's capacity.
    auto drawer = canvas(300, 200, 5);
    Chart* added = chart(*drawer, 3, "a", Qt::blue);
    QCOMPARE(added->capacity(), 5);
}

void TestDrawer::valuesReachMatchingCharts()
{
    auto drawer = canvas(300, 200);
    Chart* first = chart(*drawer, 3, "a", Qt::blue);
    Chart* twin = chart(*drawer, 3, "b", Qt::red);
    Chart* other = chart(*drawer, char(150), "c", Qt::green);
    drawer->addValue(0, 3, 42);
    drawer->addValue(1, 3, 7);          // other motor/bank
    drawer->addValue(0, char(150), -9); // 150 travels as a negative char
    QCOMPARE(first->values(), QList<double>{42});
    QCOMPARE(twin->values(), QList<double>{42});
    QCOMPARE(other->values(), QList<double>{-9});
}

void TestDrawer::widthAndDotPositions()
{
    auto drawer = canvas(620, 200);
    Chart* c = chart(*drawer, 3, "", Qt::blue); // no legend text in the dots' colour
    drawer->doManualScaling();
    drawer->setMinValue(0);
    drawer->setMaxValue(1000);
    drawer->setScrollWindow(0, 9999, 9999);
    for (int i = 0; i < 700; ++i)
        c->addValue(500);
    QSignalSpy width(drawer.get(), &Drawer::changedChartWidth);
    QSignalSpy scale(drawer.get(), &Drawer::scaleChanged);
    const QImage image = drawer->grab().toImage();
    QCOMPARE(width.size(), 1);
    QCOMPARE(width.at(0).at(0).toInt(), 500);
    QCOMPARE(scale.size(), 0); // manual bounds: painting never moves them
    // 500 dots, the newest at x = w - 22 = 598, the oldest at x = 99.
    const QList<int> columns = dotColumns(image, Qt::blue, 90, 610);
    QCOMPARE(columns.size(), 500);
    QCOMPARE(columns.first(), 99);
    QCOMPARE(columns.last(), 598);
    // y = trunc(baseline - (v - min) * scale) = trunc(185 - 500 * 0.16) = 105.
    QCOMPARE(darkestRow(image, 598, Qt::blue), 105);
}

void TestDrawer::bandLeavesOutSamplesOnTheAxis()
{
    auto drawer = canvas(320, 200);
    Chart* c = chart(*drawer, 3, "", Qt::blue);
    drawer->doManualScaling();
    drawer->setMinValue(0);
    drawer->setMaxValue(1000);
    drawer->setScrollWindow(0, 99, 99);
    // Newest first: on the axis (not drawn), inside, at the top (y = 25), above the band.
    for (double v : {2000.0, 1000.0, 500.0, 0.0})
        c->addValue(v);
    const QImage image = drawer->grab().toImage();
    const QList<int> columns = dotColumns(image, Qt::blue, 90, 310);
    QCOMPARE(columns, (QList<int>{296, 297})); // 1000 at x = 296, 500 at x = 297
    QCOMPARE(darkestRow(image, 296, Qt::blue), 25);
}

void TestDrawer::dynamicBounds_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::newRow("1000 to 2000") << 1000 << 2000 << 0 << 2001;
    QTest::newRow("-7 to -1") << -7 << -1 << -8 << 0;
    // Only the samples in view count: the 281 newest of 751 here.
    QTest::newRow("-300 to 450, partly out of view") << -300 << 450 << 0 << 451;
}

void TestDrawer::dynamicBounds()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, min);
    QFETCH(int, max);
    auto drawer = canvas(400, 200);
    Chart* c = chart(*drawer, 3, "v", Qt::blue);
    drawer->setScrollWindow(0, 9999, 9999);
    for (int v = from; v <= to; ++v)
        c->addValue(v);
    QSignalSpy scale(drawer.get(), &Drawer::scaleChanged);
    drawer->grab();
    QCOMPARE(scale.size(), 1);
    QCOMPARE(scale.at(0), (QVariantList{min, max}));
    QCOMPARE(drawer->minimum(), min);
    QCOMPARE(drawer->maximum(), max);
    drawer->grab();
    QCOMPARE(scale.size(), 1); // only on change
}

void TestDrawer::manualBoundsDoNotMove()
{
    auto drawer = canvas(400, 200);
    Chart* c = chart(*drawer, 3, "v", Qt::blue);
    c->addValue(1e6);
    drawer->doManualScaling();
    drawer->setMaxValue(500);
    drawer->setMinValue(-500);
    QSignalSpy scale(drawer.get(), &Drawer::scaleChanged);
    drawer->grab();
    QCOMPARE(scale.size(), 0);
    QCOMPARE(drawer->maximum(), 500);
    QCOMPARE(drawer->minimum(), -500);
    drawer->doDynamicScaling();
    drawer->grab();
    QCOMPARE(scale.size(), 1);
    QCOMPARE(drawer->maximum(), 1000001);
    QCOMPARE(drawer->minimum(), 0);
}

void TestDrawer::scaleMarks_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("topY");
    QTest::newRow("0 to 125") << 0 << 125 << QStringList{"0",  "12.5", "25",  "37.5",  "50", "62.5",
                                                         "75", "87.5", "100", "112.5", "125"}
                              << 25;
    QTest::newRow("big") << 0 << 10000000
                         << QStringList{"0",     "1e+06", "2e+06", "3e+06", "4e+06", "5e+06",
                                        "6e+06", "7e+06", "8e+06", "9e+06", "1e+07"}
                         << 25;
    // Bounds the wrong way round are used as they are: labels decrease upward.
    QTest::newRow("max below min")
        << 500 << -500 << QStringList{"500",  "400",  "300",  "200",  "100", "0",
                                      "-100", "-200", "-300", "-400", "-500"}
        << 25;
}

void TestDrawer::scaleMarks()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QStringList, labels);
    QFETCH(int, topY);
    const auto marks = Drawer::scaleMarks(min, max, 200);
    QStringList texts;
    for (const auto& mark : marks)
        texts << mark.label;
    QCOMPARE(texts, labels);
    QCOMPARE(marks.first().y, 185); // the axis
    QCOMPARE(marks.last().y, topY);
    for (int i = 1; i < marks.size(); ++i)
        QVERIFY(marks[i].y < marks[i - 1].y);
}

void TestDrawer::equalBoundsDrawNoScale()
{
    QVERIFY(Drawer::scaleMarks(0, 0, 200).isEmpty());
    auto drawer = canvas(400, 200);
    Chart* c = chart(*drawer, 3, "flat", Qt::blue);
    for (int i = 0; i < 50; ++i)
        c->addValue(0);
    drawer->doManualScaling();
    drawer->setMinValue(7);
    drawer->setMaxValue(7);
    const QImage image = drawer->grab().toImage();
    // No dot and no grey zero line; the legend is still written in the chart's colour.
    QVERIFY(dotColumns(image, Qt::blue, 90, 300).isEmpty());
    QVERIFY(!dotColumns(image, Qt::blue, 300, 390).isEmpty());
    int grey = 0;
    for (int x = 101; x < 380; ++x)
        for (int y = 21; y < 185; ++y)
            grey += image.pixelColor(x, y) == QColor(Qt::gray);
    QCOMPARE(grey, 0);
    // The axes are there (a one-pixel line on a pixel edge: two grey rows).
    QVERIFY(image.pixelColor(200, 185).red() < 200);
    QVERIFY(image.pixelColor(100, 100).red() < 200);

    // Dynamic mode over samples all 0 keeps 0/0 without dividing by zero.
    drawer->doDynamicScaling();
    QSignalSpy scale(drawer.get(), &Drawer::scaleChanged);
    drawer->grab();
    drawer->grab();
    QCOMPARE(scale.size(), 1);
    QCOMPARE(scale.at(0), (QVariantList{0, 0}));
}

void TestDrawer::resolutionAndScrolling()
{
    auto drawer = canvas(320, 200);
    Chart* c = chart(*drawer, 3, "", Qt::blue);
    drawer->doManualScaling();
    drawer->setMinValue(0);
    drawer->setMaxValue(1000);
    for (int i = 0; i < 1000; ++i)
        c->addValue(i < 990 ? 100 : 900); // the ten newest stand out
    drawer->setResolution(0);             // ignored
    drawer->setResolution(10);
    // 100 below the maximum at resolution 10: the view ends 10 samples before the newest.
    drawer->setScrollWindow(200, 9999, 9899);
    const QImage image = drawer->grab().toImage();
    const QList<int> columns = dotColumns(image, Qt::blue, 90, 310);
    QCOMPARE(columns.size(), 99); // one dot per 10 samples of the 990 in view
    QCOMPARE(columns.last(), 298);
    const int lowY = 185 - 16; // trunc(185 - 100 * 0.16)
    QCOMPARE(darkestRow(image, 298, Qt::blue), lowY);
}

void TestDrawer::legend()
{
    auto drawer = canvas(400, 200);
    chart(*drawer, 3, "actual [rpm]", Qt::blue);
    chart(*drawer, 13, "target [rpm]", Qt::red);
    const QImage image = drawer->grab().toImage();
    // legendX = 280 + 100 - 10 * 12 = 260; legendY = 185 - 106 = 79, then 99.
    auto leftmost = [&](QColor color) {
        const QList<int> columns = dotColumns(image, color, 240, 400);
        return columns.isEmpty() ? -1 : columns.first();
    };
    QVERIFY(qAbs(leftmost(Qt::blue) - 260) <= 2);
    QVERIFY(qAbs(leftmost(Qt::red) - 260) <= 2);
    // 20 pixels apart (one pixel of leeway for where antialiased glyphs reach full colour).
    QVERIFY(qAbs(topRow(image, Qt::red, 240, 400) - topRow(image, Qt::blue, 240, 400) - 20) <= 1);
}

void TestDrawer::clearValues()
{
    auto drawer = canvas(400, 200);
    Chart* a = chart(*drawer, 3, "a", Qt::blue);
    Chart* b = chart(*drawer, 13, "b", Qt::red);
    a->addValue(5000);
    b->addValue(-5000);
    drawer->grab();
    QCOMPARE(drawer->maximum(), 5001);
    drawer->clearValues();
    QVERIFY(a->values().isEmpty() && b->values().isEmpty());
    QSignalSpy scale(drawer.get(), &Drawer::scaleChanged);
    drawer->grab();
    QCOMPARE(scale.at(0), (QVariantList{0, 0}));
}

void TestDrawer::timer()
{
    auto drawer = canvas(200, 150);
    drawer->setRepaintInterval(20);
    QVERIFY(!drawer->isDrawing());
    drawer->startDrawer();
    QVERIFY(drawer->isDrawing());
    drawer->stopDrawer();
    QVERIFY(!drawer->isDrawing());
    QCOMPARE(messages->lines(), (QStringList{"Starting Drawer... ", "Stopping Drawer... "}));
}

QTEST_MAIN(TestDrawer)
#include "tst_drawer.moc"

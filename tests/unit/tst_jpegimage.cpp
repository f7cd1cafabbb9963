#include "platform/jpegimage.h"

#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <unistd.h>

namespace {

QByteArray committedPicture()
{
    QFile file(qEnvironmentVariable("KELVANE_SOURCE_DIR") + u"/src/forms/about/newspaper.jpg"_qs);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the About picture is missing");
    return file.readAll();
}

// Everything written to stderr (file descriptor 2) while `action` runs.
QByteArray stderrOf(const std::function<void()> &action)
{
    QTemporaryFile capture;
    if (!capture.open())
        qFatal("no temporary file");
    fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(capture.handle(), STDERR_FILENO);
    action();
    fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    capture.seek(0);
    return capture.readAll();
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            largest = std::max({largest, std::abs(p.red() - q.red()),
                                std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
        }
    return largest;
}

} // namespace

class TestJpegImage : public QObject
{
    Q_OBJECT

private slots:
    void decodesTheAboutPicture()
    {
        const QByteArray data = committedPicture();
        QVERIFY(data.contains("\xFF\xC0"));  // baseline frame
        QVERIFY(!data.contains("\xFF\xC2")); // not progressive

        const QImage picture = jpegimage::decode(data);
        QCOMPARE(picture.size(), QSize(120, 150));
        // The same pixels as an independent decoder gives, channels in order.
        const QImage reference = QImage::fromData(data, "JPG").convertToFormat(picture.format());
        QCOMPARE(reference.size(), picture.size());
        QVERIFY(largestChannelDifference(picture, reference) <= 1);
        // Masthead ink and the photograph's sky, as the recipe draws them.
        QVERIFY(picture.pixelColor(10, 10).lightness() < 48);
        const QColor sky = picture.pixelColor(14, 60);
        QVERIFY(sky.blue() > sky.red() + 30);
    }

    void damagedPicturesGiveAnEmptyImageQuietly_data()
    {
        const QByteArray good = committedPicture();
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("start marker only") << good.left(2);
        QTest::newRow("header cut") << good.left(100);
        QTest::newRow("half the picture") << good.left(good.size() / 2);
        QTest::newRow("end marker missing") << good.left(good.size() - 2);
        QTest::newRow("not a JPEG") << QByteArrayLiteral("\x89PNG\r\n\x1a\n and more");
        QByteArray noHeight = good;
        const qsizetype frame = good.indexOf("\xFF\xC0");
        noHeight[frame + 5] = 0; // the frame's height: 0 rows
        noHeight[frame + 6] = 0;
        QTest::newRow("zero height") << noHeight;
        QByteArray badTable = good;
        badTable[good.indexOf("\xFF\xC4") + 4] =
            '\x7F'; // a Huffman table class that does not exist
        QTest::newRow("bad Huffman table") << badTable;
    }

    void damagedPicturesGiveAnEmptyImageQuietly()
    {
        QFETCH(QByteArray, data);
        QImage image(1, 1, QImage::Format_RGB888);
        const QByteArray errors = stderrOf([&] { image = jpegimage::decode(data); });
        QVERIFY(image.isNull());
        QCOMPARE(errors, QByteArray());
    }

    void missingResourceIsEmpty()
    {
        QVERIFY(jpegimage::fromResource(u":/nowhere/none.jpg"_qs).isNull());
    }
};

QTEST_GUILESS_MAIN(TestJpegImage)
#include "tst_jpegimage.moc"

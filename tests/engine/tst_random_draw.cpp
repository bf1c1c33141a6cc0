// The random question number and the generator behind it.
#include "RandomSource.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace mivesk;

class RandomDrawTest : public QObject {
    Q_OBJECT
private slots:
    void drawCoversOneToFortySixEvenly() {
        QCOMPARE(drawRecordNumber(0.0f), qint16(1));
        QCOMPARE(drawRecordNumber(0.99999994f), qint16(46)); // the largest float below 1
        QCOMPARE(std::nextafter(1.0f, 0.0f), 0.99999994f);
    }

    void everyFloatBelowOneDrawsARecord() {
        // All 2^24 values the generator can give: each record is drawn, in
        // order, by an equal share of them.
        int share[47] = {};
        qint16 previous = 1;
        for (quint32 bits = 0; bits < (1u << 24); ++bits) {
            const qint16 n = drawRecordNumber(float(bits) * 0x1p-24f);
            if (n < previous || n > 46) {
                QFAIL(qPrintable(QStringLiteral("bits %1 drew %2").arg(bits).arg(n)));
            }
            previous = n;
            ++share[n];
        }
        for (int n = 1; n <= 46; ++n) {
            QVERIFY(std::abs(share[n] - (1 << 24) / 46) < 4);
        }
    }

    void brokenNumbersStillNameARecord() {
        QCOMPARE(drawRecordNumber(1.0f), qint16(46));
        QCOMPARE(drawRecordNumber(-0.5f), qint16(1));
        QCOMPARE(drawRecordNumber(std::numeric_limits<float>::quiet_NaN()), qint16(1));
        QCOMPARE(drawRecordNumber(std::numeric_limits<float>::infinity()), qint16(46));
    }

    void generatorStaysBelowOneAndReachesEveryRecord() {
        ClockSeededRandom random;
        random.seedFromClock();
        int seen[47] = {};
        for (int i = 0; i < 200000; ++i) {
            const float r = random.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++seen[drawRecordNumber(r)];
        }
        for (int n = 1; n <= 46; ++n) {
            // About 4348 each; far outside that means a skewed draw.
            QVERIFY2(seen[n] > 3800 && seen[n] < 4900, qPrintable(QString::number(seen[n])));
        }
    }
};

QTEST_GUILESS_MAIN(RandomDrawTest)
#include "tst_random_draw.moc"

// Thousands of random sequences of user operations, checked after every step
// against what must always hold.
#include "TestSupport.h"

#include <QTest>

#include <array>
#include <random>

using namespace mivesk;

namespace {

// The first and last record of each ordered mode.
const int RangeStart[] = {1, 6, 11, 16, 21, 26, 31, 36, 39, 44, 1};
const int RangeEnd[] = {5, 10, 15, 20, 25, 30, 35, 38, 43, 46, 46};

QString describe(const std::vector<QString>& steps) {
    QString text;
    for (const QString& step : steps) {
        text += step + u' ';
    }
    return text;
}

} // namespace

class OperationSequencesTest : public QObject {
    Q_OBJECT
private slots:
    void invariantsHoldAfterEveryOperation() {
        const quint32 seed = 20261207;
        std::mt19937 pick(seed);
        const QByteArray bytes = test::dataFileBytes();
        for (int sequence = 0; sequence < 3000; ++sequence) {
            std::vector<float> randoms;
            for (int i = 0; i < 17; ++i) {
                randoms.push_back(float(pick() >> 8) * 0x1p-24f);
            }
            std::vector<int> reads;
            auto engine = test::startedEngine(bytes, randoms, &reads);
            int checks = 0;
            bool setDone = false;
            int chosen = 0;  // the mode clicked last
            int drilled = 0; // the mode of the last Set
            std::array<bool, 6> raised{};
            std::vector<QString> steps;
            for (int step = 0; step < 60; ++step) {
                const int operation = int(pick() % 8);
                const int argument = int(pick() % 12);
                switch (operation) {
                case 0:
                    engine->Option1_Click(argument);
                    chosen = argument;
                    steps.push_back(QStringLiteral("mode%1").arg(argument));
                    break;
                case 1:
                    engine->Im_Set_Click();
                    setDone = true;
                    drilled = chosen;
                    raised = {};
                    steps.push_back(QStringLiteral("set"));
                    break;
                case 2:
                    engine->Im_Next_Click();
                    raised = {};
                    steps.push_back(QStringLiteral("next"));
                    break;
                case 3:
                    engine->Im_Reset_Click();
                    checks = setDone ? 0 : checks;
                    raised = {};
                    steps.push_back(QStringLiteral("reset"));
                    break;
                case 4:
                case 5:
                    engine->ImTen_Click(argument % 6);
                    raised[size_t(argument % 6)] = setDone && !raised[size_t(argument % 6)];
                    steps.push_back(QStringLiteral("dot%1").arg(argument % 6));
                    break;
                case 6:
                    engine->Im_Check_Click();
                    checks += setDone ? 1 : 0;
                    steps.push_back(QStringLiteral("check"));
                    break;
                default:
                    engine->Check1_Click(argument % 3);
                    steps.push_back(QStringLiteral("cover%1").arg(argument % 3));
                    break;
                }

                const MainWindowView& view = engine->view();
                const auto where = qPrintable(QStringLiteral("seed %1, sequence %2: %3")
                                                  .arg(seed)
                                                  .arg(sequence)
                                                  .arg(describe(steps)));
                QVERIFY2(view.lblCount == QString::number(checks) + QStringLiteral("門終了"),
                         where);
                const int rate = view.lblRitsu.chopped(1).toInt();
                QVERIFY2(view.lblRitsu.endsWith(u'%') && rate >= 0 && rate <= 100, where);
                if (setDone) {
                    const int question = reads.back();
                    QVERIFY2(question >= 1 && question <= 46, where);
                    QVERIFY2(!view.Lb_Main.isEmpty() && view.Lb_Main != QStringLiteral("♪"), where);
                    if (drilled != 11) {
                        QVERIFY2(question >= RangeStart[drilled] && question <= RangeEnd[drilled],
                                 where);
                    }
                }
                for (size_t i = 0; i < 6; ++i) {
                    QVERIFY2(raised[i] == (view.ImTen[i] == DotPicture::On), where);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(OperationSequencesTest)
#include "tst_operation_sequences.moc"

// Thousands of random sequences of user operations, checked after every step
// against what must always hold.
#include "TestSupport.h"

#include <QTest>

#include <random>

using namespace mivesk;

namespace {

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
            auto engine = test::startedEngine(bytes, randoms);
            int checks = 0;
            bool setDone = false;
            std::vector<QString> steps;
            for (int step = 0; step < 60; ++step) {
                const int operation = int(pick() % 8);
                const int argument = int(pick() % 12);
                switch (operation) {
                case 0:
                    engine->Option1_Click(argument);
                    steps.push_back(QStringLiteral("mode%1").arg(argument));
                    break;
                case 1:
                    engine->Im_Set_Click();
                    setDone = true;
                    steps.push_back(QStringLiteral("set"));
                    break;
                case 2:
                    engine->Im_Next_Click();
                    steps.push_back(QStringLiteral("next"));
                    break;
                case 3:
                    engine->Im_Reset_Click();
                    checks = setDone ? 0 : checks;
                    steps.push_back(QStringLiteral("reset"));
                    break;
                case 4:
                case 5:
                    engine->ImTen_Click(argument % 6);
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
                QVERIFY2(engine->AnsweredCount() == checks, where);
                QVERIFY2(engine->CorrectCount() + engine->MissCount() == checks, where);
                QVERIFY2(view.lblCount == QString::number(checks) + QStringLiteral("門終了"),
                         where);
                const int rate = view.lblRitsu.chopped(1).toInt();
                QVERIFY2(view.lblRitsu.endsWith(u'%') && rate >= 0 && rate <= 100, where);
                if (setDone) {
                    QVERIFY2(engine->QuestionNo() >= 1 && engine->QuestionNo() <= 46, where);
                    QVERIFY2(!view.Lb_Main.isEmpty() && view.Lb_Main != QStringLiteral("♪"), where);
                    if (!engine->IsRandom()) {
                        QVERIFY2(engine->QuestionNo() >= engine->RangeStart() &&
                                     engine->QuestionNo() <= engine->RangeEnd(),
                                 where);
                    }
                }
                for (size_t i = 0; i < 6; ++i) {
                    const bool raised = engine->InputDots()[i] == QStringLiteral("1");
                    QVERIFY2(raised == (view.ImTen[i] == DotPicture::On), where);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(OperationSequencesTest)
#include "tst_operation_sequences.moc"

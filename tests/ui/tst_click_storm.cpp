// Tens of thousands of random clicks, double clicks and keys on the main
// window and the hint window, checked after every one against a model of
// the drill: which control the click reaches (windowed controls above the
// windowless ones, these in their stacking order, shapes letting clicks
// through), what that control does, and what the window must then show.
//
// End and the version button are never clicked (End ends the program, the
// version button opens a modal window): their rectangles are left out.
// Any Qt warning fails the storm.

#include "Dialog.h"
#include "Form1TestSupport.h"
#include "ImageControl.h"
#include "TestSupport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QPointer>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <array>
#include <cmath>
#include <map>

using namespace mivesk;
using namespace mivesk::test;

namespace {

constexpr quint32 Seed = 20240607;
constexpr int MainWindowEvents = 15000;
constexpr int HintWindowEvents = 3000;
constexpr int KeyEvents = 3000;

struct Record {
    QString kana;
    QByteArray dots; // six '0'/'1'
};

std::array<Record, 46> readRecords() {
    const QByteArray bytes = dataFileBytes();
    auto decoder = QStringDecoder("Shift_JIS");
    std::array<Record, 46> records;
    for (int i = 0; i < 46; ++i)
        records[size_t(i)] = {QString(decoder.decode(bytes.mid(i * 8, 2))),
                              bytes.mid(i * 8 + 2, 6)};
    return records;
}

// The drill as the user should see it.
struct Model {
    bool started = false;
    int mode = 0; // the option button last clicked; あ until one is
    bool random = false;
    int start = 0;
    int end = 0;
    int question = 0;                      // record number in a row mode; unknown in random mode
    QByteArray input = QByteArray(6, ' '); // blank until the first Set
    QByteArray answer = QByteArray(6, ' ');
    bool seikai = false;
    bool osii = false;
    bool fuseikai = false;
    int answered = 0;
    int correct = 0;
};

QString rateText(int correct, int answered) {
    if (answered == 0)
        return QStringLiteral("0%");
    const double rate = 100.0 * correct / answered;
    return QString::number(qint64(std::floor(rate + 0.5))) + QLatin1Char('%');
}

// Uniform numbers in [0, 1), and now and then its extremes.
std::function<float()> stormNumbers(quint32 seed) {
    return [generator = QRandomGenerator(seed)]() mutable {
        const int pick = generator.bounded(20);
        if (pick == 0) {
            return 0.0f;
        }
        if (pick == 1) {
            return std::nextafter(1.0f, 0.0f);
        }
        return float(generator.bounded(1 << 24)) * 0x1p-24f;
    };
}

QStringList problems;

void failOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform has no window system to pass a fixed size or
    // a raise on to, and says so each time a fixed-size window is shown or
    // the hint window is brought to the front.
    if (message == QLatin1String("This plugin does not support propagateSizeHints()") ||
        message == QLatin1String("This plugin does not support raise()"))
        return;
    problems << message;
}

} // namespace

class ClickStormTest : public QObject {
    Q_OBJECT

private slots:
    void storm();

private:
    QString hitAt(QPoint point) const;
    void apply(const QString& hit);
    void verify();
    QRect rectOf(const QString& name) const { return control(*m_window, name)->geometry(); }

    std::unique_ptr<Form1> m_window;
    bool m_dictionaryClosed = false;
    std::array<Record, 46> m_records;
    Model m_model;
    int m_lastOptionClicked = -1;
    std::map<QString, int> m_hits;
    int m_wraps = 0;
    int m_graded = 0;
    int m_gradedCorrect = 0;
};

// The control a click at `point` reaches, by the stacking rules.
QString ClickStormTest::hitAt(QPoint point) const {
    // Windowed controls lie above the rest; among themselves, where two
    // overlap by a pixel, the later sibling is on top.
    const QObjectList children = m_window->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* w = qobject_cast<QAbstractButton*>(*it);
        if (w && !qobject_cast<ImageControl*>(w) && w->isVisible() && w->geometry().contains(point))
            return w->objectName();
    }
    // Shapes let clicks through.
    for (const QString& name : WindowlessTopDown) {
        QWidget* w = control(*m_window, name);
        if (!name.startsWith(QLatin1String("Sh")) && w->isVisible() &&
            w->geometry().contains(point))
            return name;
    }
    return {};
}

// What the reached control does to the drill.
void ClickStormTest::apply(const QString& hit) {
    Model& m = m_model;
    ++m_hits[hit];
    const auto hideMarks = [&m] { m.seikai = m.osii = m.fuseikai = false; };
    const auto clearCells = [&m] {
        m.input = "000000";
        m.answer = "000000";
    };
    if (hit == QLatin1String("Im_Set")) {
        hideMarks();
        m.started = true;
        m.random = m.mode == 11;
        if (!m.random) {
            const int starts[] = {1, 6, 11, 16, 21, 26, 31, 36, 39, 44, 1};
            const int ends[] = {5, 10, 15, 20, 25, 30, 35, 38, 43, 46, 46};
            m.start = starts[m.mode];
            m.end = ends[m.mode];
            m.question = m.start;
        }
        clearCells();
    } else if (hit == QLatin1String("Im_Next") && m.started) {
        hideMarks();
        if (!m.random && ++m.question > m.end) {
            m.question = m.start;
            ++m_wraps;
        }
        clearCells();
    } else if (hit == QLatin1String("Im_Reset") && m.started) {
        m.answered = m.correct = 0;
        hideMarks();
        clearCells();
        m.question = m.start;
    } else if (hit.startsWith(QLatin1String("ImTen_"))) {
        char& dot = m.input[hit.mid(6).toInt()];
        if (dot == '0' || dot == '1')
            dot = dot == '0' ? '1' : '0';
    } else if (hit == QLatin1String("Im_Check") && m.started) {
        ++m.answered;
        ++m_graded;
        const QString shown = caption(*m_window, QStringLiteral("Lb_Main"));
        for (const Record& record : m_records)
            if (record.kana == shown)
                m.answer = record.dots;
        int agree = 0;
        for (int i = 0; i < 6; ++i)
            agree += m.input[i] == m.answer[i];
        if (agree == 6) {
            m.seikai = true;
            ++m.correct;
            ++m_gradedCorrect;
        } else if (agree >= 4) {
            m.osii = true;
        } else {
            m.fuseikai = true;
        }
    }
}

// The window against the model, and the rules that hold whatever happened.
// The storm names the event after a failure.
void ClickStormTest::verify() {
    const Model& m = m_model;
    QCOMPARE(problems.join(u'|'), QString());
    QVERIFY(m_window->isVisible() && !m_dictionaryClosed);
    QCOMPARE(caption(*m_window, QStringLiteral("lblCount")),
             QString::number(m.answered) + QStringLiteral("門終了"));
    QCOMPARE(caption(*m_window, QStringLiteral("lblRitsu")), rateText(m.correct, m.answered));

    const QString kana = caption(*m_window, QStringLiteral("Lb_Main"));
    if (!m.started) {
        QCOMPARE(kana, QStringLiteral("♪"));
    } else if (m.random) {
        QVERIFY2(std::any_of(m_records.begin(), m_records.end(),
                             [&](const Record& r) { return r.kana == kana; }),
                 qPrintable(kana));
    } else {
        QVERIFY(m.question >= m.start && m.question <= m.end);
        QCOMPARE(kana, m_records[size_t(m.question - 1)].kana);
    }

    const qint64 on = qobject_cast<ImageControl*>(control(*m_window, QStringLiteral("Imtenon")))
                          ->picture()
                          .cacheKey();
    QByteArray input, answer;
    for (int i = 0; i < 6; ++i) {
        const auto shown = [&](const char* cell) {
            auto* dot = qobject_cast<ImageControl*>(control(*m_window, cell + QString::number(i)));
            return dot->picture().cacheKey() == on ? '1' : '0';
        };
        input += shown("ImTen_");
        answer += shown("ImTenKai_");
    }
    QCOMPARE(input, QByteArray(m.input).replace(' ', '0'));
    QCOMPARE(answer, QByteArray(m.answer).replace(' ', '0'));

    QCOMPARE(control(*m_window, QStringLiteral("imgSeikai"))->isVisible(), m.seikai);
    QCOMPARE(control(*m_window, QStringLiteral("imgOsii"))->isVisible(), m.osii);
    QCOMPARE(control(*m_window, QStringLiteral("imgFuseikai"))->isVisible(), m.fuseikai);
    for (const char* welcome : {"Lb_First", "Shp_first", "Shp_FirstBak"})
        QCOMPARE(control(*m_window, QLatin1String(welcome))->isVisible(), !m.started);
    const bool checked = m_window->findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked();
    QCOMPARE(control(*m_window, QStringLiteral("ShpCover"))->isVisible(), !checked);
}

void ClickStormTest::storm() {
    m_records = readRecords();
    m_window = showForm1(std::make_unique<RecordingSource>(checkedDictionary(dataFileBytes()),
                                                           nullptr, &m_dictionaryClosed),
                         std::make_unique<ScriptedRandom>(stormNumbers(Seed)));
    auto* group = m_window->findChild<QButtonGroup*>();
    QVERIFY(group);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { m_lastOptionClicked = id; });
    QList<QWidget*> keyTargets{control(*m_window, QStringLiteral("Check1"))};
    for (QAbstractButton* b : group->buttons())
        keyTargets << b;

    const QRect excluded[] = {rectOf(QStringLiteral("Im_End")).adjusted(-1, -1, 1, 1),
                              rectOf(QStringLiteral("Im_Version")).adjusted(-1, -1, 1, 1)};
    QStringList clickTargets;
    for (const QString& name : WindowlessTopDown)
        if (!name.startsWith(QLatin1String("Sh")) && control(*m_window, name)->isVisible())
            clickTargets << name;
    for (QWidget* w : keyTargets)
        clickTargets << w->objectName();
    clickTargets.removeAll(QStringLiteral("Im_End"));
    clickTargets.removeAll(QStringLiteral("Im_Version"));

    QPointer<Dialog> hint = Dialog::open();
    QVERIFY(QTest::qWaitForWindowExposed(hint));

    QRandomGenerator random(Seed);
    problems.clear();
    const QtMessageHandler previous = qInstallMessageHandler(failOnWarnings);
    auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });

    int events = 0;
    int keyModeChanges = 0;
    int hintClosings = 0;
    const int total = MainWindowEvents + HintWindowEvents + KeyEvents;
    QString event;
    const auto tell = qScopeGuard([&] {
        qInstallMessageHandler(previous);
        if (QTest::currentTestFailed())
            qWarning("seed %u, event %d: %s", Seed, events, qPrintable(event));
    });
    for (int n = 0; n < total; ++n) {
        const int kind = random.bounded(total);
        const bool dclick = random.bounded(4) == 0;
        if (kind < MainWindowEvents) {
            QPoint point;
            do {
                if (random.bounded(2) == 0) {
                    point = QPoint(random.bounded(Form1::ClientSize.width()),
                                   random.bounded(Form1::ClientSize.height()));
                } else {
                    const QRect r = rectOf(clickTargets[random.bounded(clickTargets.size())]);
                    point = QPoint(r.left() + random.bounded(r.width()),
                                   r.top() + random.bounded(r.height()));
                }
            } while (excluded[0].contains(point) || excluded[1].contains(point) ||
                     !m_window->rect().contains(point));
            const QString hit = hitAt(point);
            event = QStringLiteral("%1 at %2,%3 on %4")
                        .arg(dclick ? "double click" : "click")
                        .arg(point.x())
                        .arg(point.y())
                        .arg(hit.isEmpty() ? QStringLiteral("nothing") : hit);
            m_lastOptionClicked = -1;
            (dclick ? doubleClickAt : clickAt)(*m_window, point);
            if (m_lastOptionClicked >= 0) {
                QCOMPARE(hit, QStringLiteral("Option1_%1").arg(m_lastOptionClicked));
                m_model.mode = m_lastOptionClicked;
            }
            // A double click on a picture is one click.
            apply(hit);
            if (hit == QLatin1String("Im_Hint")) {
                QVERIFY(hintWindow() && hintWindow()->isVisible());
                hint = hintWindow();
            }
        } else if (kind < MainWindowEvents + HintWindowEvents) {
            if (!hint || !hint->isVisible()) {
                hint = Dialog::open();
                QCoreApplication::processEvents();
            }
            const QPoint point(random.bounded(hint->width()), random.bounded(hint->height()));
            const bool closes =
                control(*hint, QStringLiteral("Im_Close"))->geometry().contains(point);
            event = QStringLiteral("%1 at %2,%3 on the hint window")
                        .arg(dclick ? "double click" : "click")
                        .arg(point.x())
                        .arg(point.y());
            (dclick ? doubleClickAt : clickAt)(*hint, point);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (closes) {
                ++hintClosings;
                QVERIFY(!hintWindow());
            } else {
                QVERIFY(hintWindow() == hint && hint->isVisible());
            }
        } else {
            static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                           Qt::Key_Down, Qt::Key_Space, Qt::Key_Tab};
            const Qt::Key key = keys[random.bounded(int(std::size(keys)))];
            QWidget* focus = QApplication::focusWidget();
            QWidget* target = keyTargets.contains(focus) && random.bounded(2)
                                  ? focus
                                  : keyTargets[random.bounded(keyTargets.size())];
            if (QApplication::activeWindow() != m_window.get()) {
                m_window->activateWindow();
                QCoreApplication::processEvents();
            }
            target->setFocus(Qt::OtherFocusReason);
            event = QStringLiteral("key %1 to %2")
                        .arg(QKeySequence(key).toString())
                        .arg(target->objectName());
            m_lastOptionClicked = -1;
            QTest::keyClick(target, key);
            if (m_lastOptionClicked >= 0) {
                keyModeChanges += m_model.mode != m_lastOptionClicked;
                m_model.mode = m_lastOptionClicked;
            }
        }
        verify();
        if (QTest::currentTestFailed())
            return;
        ++events;
    }

    restore.dismiss();
    qInstallMessageHandler(previous);
    qInfo("seed %u: %d events; Check reached %d times, %d graded, %d correct; %d wraps; "
          "%d mode changes by key; hint window closed %d times",
          Seed, events, m_hits[QStringLiteral("Im_Check")], m_graded, m_gradedCorrect, m_wraps,
          keyModeChanges, hintClosings);
    // The storm reached every part of the drill.
    for (const char* name :
         {"Im_Set", "Im_Next", "Im_Reset", "Im_Check", "Im_Hint", "ImTen_0", "imgOsii", "Lb_First"})
        QVERIFY2(m_hits[QLatin1String(name)] > 0, name);
    QVERIFY(m_graded > 0 && m_gradedCorrect > 0);
    QVERIFY(m_wraps > 0);
    QVERIFY(keyModeChanges > 0);
    QVERIFY(hintClosings > 0);
    if (Dialog* open = hintWindow())
        open->close();
}

QTEST_MAIN(ClickStormTest)
#include "tst_click_storm.moc"

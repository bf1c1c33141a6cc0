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

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
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

// The clickable windowless controls from the top of the stacking order
// down. Shapes are left out: clicks pass through them.
const char* const Windowless[] = {
    "imgFuseikai", "imgOsii",    "imgSeikai",  "lblCount",   "lblRitsu",   "Im_Hint",    "Label4",
    "Label1",      "Im_Reset",   "Im_End",     "Im_Set",     "Lb_First",   "Im_Version", "Image3",
    "Imtenoff",    "Imtenon",    "Label3",     "Label2",     "Lb_Main",    "ImTen_2",    "ImTen_5",
    "ImTenKai_5",  "ImTenKai_4", "ImTenKai_3", "ImTenKai_2", "ImTenKai_1", "ImTenKai_0", "ImTen_4",
    "ImTen_3",     "ImTen_1",    "ImTen_0",    "Im_Next",    "Im_Check"};

struct Record {
    QString kana;
    QByteArray dots; // six '0'/'1'
};

std::array<Record, 46> readRecords() {
    QFile file(QStringLiteral(MIVESK_DATA_FILE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", MIVESK_DATA_FILE);
    const QByteArray bytes = file.readAll();
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

class StormRandom final : public RandomSource {
public:
    explicit StormRandom(quint32 seed) : m_generator(seed) {}
    void seedFromClock() override {}
    float next() override {
        // Now and then the extremes of [0, 1).
        const int pick = m_generator.bounded(20);
        if (pick == 0)
            return 0.0f;
        if (pick == 1)
            return std::nextafter(1.0f, 0.0f);
        return float(m_generator.bounded(1 << 24)) * 0x1p-24f;
    }

private:
    QRandomGenerator m_generator;
};

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
    void verify(const QString& event);
    QRect rectOf(const QString& name) const { return control(*m_window, name)->geometry(); }

    std::unique_ptr<Form1> m_window;
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
        if (w && w->isVisible() && w->geometry().contains(point))
            return w->objectName();
    }
    for (const char* name : Windowless) {
        QWidget* w = control(*m_window, QLatin1String(name));
        if (w->isVisible() && w->geometry().contains(point))
            return QLatin1String(name);
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
void ClickStormTest::verify(const QString& event) {
    const QString where = QStringLiteral("seed %1, %2").arg(Seed).arg(event);
    const Model& m = m_model;
    QVERIFY2(problems.isEmpty(),
             qPrintable(where + QStringLiteral(": Qt said ") + problems.join(u'|')));
    QVERIFY2(m_window->isVisible() && !m_window->engine().isEnded(), qPrintable(where));

    const QString count = caption(*m_window, QStringLiteral("lblCount"));
    QVERIFY2(count == QString::number(m.answered) + QStringLiteral("門終了"),
             qPrintable(where + QStringLiteral(": count ") + count));
    const QString rate = caption(*m_window, QStringLiteral("lblRitsu"));
    bool numeric = false;
    const int percent = rate.chopped(1).toInt(&numeric);
    QVERIFY2(rate.endsWith(u'%') && numeric && percent >= 0 && percent <= 100,
             qPrintable(where + QStringLiteral(": rate ") + rate));
    QVERIFY2(rate == rateText(m.correct, m.answered),
             qPrintable(where + QStringLiteral(": rate ") + rate));

    const QString kana = caption(*m_window, QStringLiteral("Lb_Main"));
    if (!m.started) {
        QVERIFY2(kana == QStringLiteral("♪"), qPrintable(where));
    } else if (m.random) {
        QVERIFY2(std::any_of(m_records.begin(), m_records.end(),
                             [&](const Record& r) { return r.kana == kana; }),
                 qPrintable(where + QStringLiteral(": kana ") + kana));
    } else {
        QVERIFY2(m.question >= m.start && m.question <= m.end, qPrintable(where));
        QVERIFY2(kana == m_records[size_t(m.question - 1)].kana,
                 qPrintable(where + QStringLiteral(": kana ") + kana));
    }

    const QPixmap on =
        qobject_cast<ImageControl*>(control(*m_window, QStringLiteral("Imtenon")))->picture();
    for (int i = 0; i < 6; ++i) {
        for (const auto& [cell, flags] : {std::pair{QStringLiteral("ImTen_"), m.input},
                                          {QStringLiteral("ImTenKai_"), m.answer}}) {
            auto* dot = qobject_cast<ImageControl*>(control(*m_window, cell + QString::number(i)));
            const bool shownOn = dot->picture().cacheKey() == on.cacheKey();
            QVERIFY2(shownOn == (flags[i] == '1'),
                     qPrintable(where + QStringLiteral(": %1%2 flags %3")
                                            .arg(cell)
                                            .arg(i)
                                            .arg(QString::fromLatin1(flags))));
        }
        const QString engineFlag = m_window->engine().InputDots()[size_t(i)];
        QVERIFY2(engineFlag == (m.input[i] == ' ' ? QString() : QString(QLatin1Char(m.input[i]))),
                 qPrintable(where));
    }

    QVERIFY2(control(*m_window, QStringLiteral("imgSeikai"))->isVisible() == m.seikai,
             qPrintable(where));
    QVERIFY2(control(*m_window, QStringLiteral("imgOsii"))->isVisible() == m.osii,
             qPrintable(where));
    QVERIFY2(control(*m_window, QStringLiteral("imgFuseikai"))->isVisible() == m.fuseikai,
             qPrintable(where));
    for (const char* welcome : {"Lb_First", "Shp_first", "Shp_FirstBak"})
        QVERIFY2(control(*m_window, QLatin1String(welcome))->isVisible() == !m.started,
                 qPrintable(where));
    const bool checked = m_window->findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked();
    QVERIFY2(control(*m_window, QStringLiteral("ShpCover"))->isVisible() == !checked,
             qPrintable(where));
}

void ClickStormTest::storm() {
    m_records = readRecords();
    registerFontSubstitutes();
    auto dictionary = std::make_unique<FileDictionarySource>(QStringLiteral(MIVESK_DATA_FILE));
    QVERIFY(dictionary->open());
    m_window = std::make_unique<Form1>(
        std::make_unique<DrillEngine>(std::move(dictionary), std::make_unique<StormRandom>(Seed)));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto* group = m_window->findChild<QButtonGroup*>();
    QVERIFY(group);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { m_lastOptionClicked = id; });
    QCheckBox* check1 = m_window->findChild<QCheckBox*>(QStringLiteral("Check1"));
    QList<QWidget*> keyTargets{check1};
    for (QAbstractButton* b : group->buttons())
        keyTargets << b;

    const QRect excluded[] = {rectOf(QStringLiteral("Im_End")).adjusted(-1, -1, 1, 1),
                              rectOf(QStringLiteral("Im_Version")).adjusted(-1, -1, 1, 1)};
    QStringList clickTargets;
    for (const char* name : Windowless)
        if (control(*m_window, QLatin1String(name))->isVisibleTo(m_window.get()))
            clickTargets << QLatin1String(name);
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
    for (int n = 0; n < total; ++n) {
        const int kind = random.bounded(total);
        const bool dclick = random.bounded(4) == 0;
        QString event;
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
            event = QStringLiteral("event %1: %2 at %3,%4 on %5")
                        .arg(n)
                        .arg(dclick ? QStringLiteral("double click") : QStringLiteral("click"))
                        .arg(point.x())
                        .arg(point.y())
                        .arg(hit.isEmpty() ? QStringLiteral("nothing") : hit);
            m_lastOptionClicked = -1;
            if (dclick)
                doubleClickAt(*m_window, point);
            else
                clickAt(*m_window, point);
            if (m_lastOptionClicked >= 0) {
                QVERIFY2(hit == QStringLiteral("Option1_%1").arg(m_lastOptionClicked),
                         qPrintable(QStringLiteral("seed %1, %2").arg(Seed).arg(event)));
                m_model.mode = m_lastOptionClicked;
            }
            // A double click on a picture is one click.
            apply(hit);
            if (hit == QLatin1String("Im_Hint")) {
                QVERIFY2(Dialog::current() && Dialog::current()->isVisible(), qPrintable(event));
                hint = Dialog::current();
            }
        } else if (kind < MainWindowEvents + HintWindowEvents) {
            if (!hint || !hint->isVisible()) {
                hint = Dialog::open();
                QCoreApplication::processEvents();
            }
            const QPoint point(random.bounded(hint->width()), random.bounded(hint->height()));
            QWidget* close = hint->findChild<QWidget*>(QStringLiteral("Im_Close"));
            const bool closes = close->geometry().contains(point);
            event = QStringLiteral("event %1: %2 at %3,%4 on the hint window")
                        .arg(n)
                        .arg(dclick ? QStringLiteral("double click") : QStringLiteral("click"))
                        .arg(point.x())
                        .arg(point.y());
            if (dclick)
                QTest::mouseDClick(hint->windowHandle(), Qt::LeftButton, {}, point);
            else
                QTest::mouseClick(hint->windowHandle(), Qt::LeftButton, {}, point);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (closes) {
                ++hintClosings;
                QVERIFY2(!Dialog::current(), qPrintable(event));
            } else {
                QVERIFY2(Dialog::current() == hint && hint->isVisible(), qPrintable(event));
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
            event = QStringLiteral("event %1: key %2 to %3")
                        .arg(n)
                        .arg(QKeySequence(key).toString())
                        .arg(target->objectName());
            m_lastOptionClicked = -1;
            QTest::keyClick(target, key);
            if (m_lastOptionClicked >= 0) {
                keyModeChanges += m_model.mode != m_lastOptionClicked;
                m_model.mode = m_lastOptionClicked;
            }
        }
        ++events;
        verify(event);
        if (QTest::currentTestFailed())
            return;
    }

    restore.dismiss();
    qInstallMessageHandler(previous);
    qInfo("seed %u: %d events; Check reached %d times, %d graded, %d correct; %d wraps; "
          "%d mode changes by key; hint window closed %d times",
          Seed, events, m_hits[QStringLiteral("Im_Check")], m_graded, m_gradedCorrect, m_wraps,
          keyModeChanges, hintClosings);
    // The storm reached every part of the drill.
    QVERIFY(events >= 20000);
    for (const char* name :
         {"Im_Set", "Im_Next", "Im_Reset", "Im_Check", "Im_Hint", "ImTen_0", "imgOsii", "Lb_First"})
        QVERIFY2(m_hits[QLatin1String(name)] > 0, name);
    QVERIFY(m_graded > 0 && m_gradedCorrect > 0);
    QVERIFY(m_wraps > 0);
    QVERIFY(keyModeChanges > 0);
    QVERIFY(hintClosings > 0);
    if (Dialog* open = Dialog::current())
        open->close();
}

QTEST_MAIN(ClickStormTest)
#include "tst_click_storm.moc"

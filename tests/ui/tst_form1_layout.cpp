// The main window as it first appears: where every control is, what lies
// over what, what shows at start, and how the keyboard reaches it; and the
// texts of all three windows, each whole inside its control.

#include "Dialog.h"
#include "FitLabel.h"
#include "FixedLook.h"
#include "Form1TestSupport.h"
#include "TextBoxControl.h"
#include "WindowPlacement.h"
#include "frmAbout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <functional>

using namespace mivesk;
using namespace mivesk::test;

class Form1LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void controlGeometryAndStartVisibility_data();
    void controlGeometryAndStartVisibility();
    void windowlessStackingOrder();
    void windowedControlsLieAboveAndTabInOrder();
    void window();
    void startState();
    void labelsLook();
    void controlArraysCarryTheirIndex();
    void imagesAndLabelsNeverTakeFocus();
    void accessibleNames();
    void textsFitWhole_data();
    void textsFitWhole();
    void darkThemeChangesNoPixel();
    void compositorSizeKeepsTheDesignedLayout_data();
    void compositorSizeKeepsTheDesignedLayout();
    void firstPlace_data();
    void firstPlace();
};

void Form1LayoutTest::controlGeometryAndStartVisibility_data() {
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("visible");
    struct Row {
        const char* name;
        int x, y, w, h;
        bool visible;
    };
    const Row rows[] = {
        {"imgFuseikai", 64, 8, 162, 188, false},  {"imgOsii", 48, 40, 196, 165, false},
        {"imgSeikai", 72, 16, 161, 188, false},   {"lblCount", 64, 32, 49, 25, true},
        {"lblRitsu", 0, 32, 57, 25, true},        {"ShpCover", 64, 80, 81, 121, false},
        {"Im_Hint", 304, 232, 85, 28, true},      {"Label4", 80, 8, 129, 17, true},
        {"Label1", 304, 64, 73, 17, true},        {"Im_Reset", 296, 176, 82, 19, true},
        {"Im_End", 312, 200, 49, 19, true},       {"Im_Set", 352, 136, 46, 23, true},
        {"Lb_First", 56, 104, 185, 81, true},     {"Shp_first", 48, 88, 201, 113, true},
        {"Im_Version", 2, 224, 36, 36, true},     {"Image3", 307, 24, 66, 33, true},
        {"Imtenoff", 0, 136, 32, 32, false},      {"Imtenon", 0, 96, 32, 32, false},
        {"Label3", 88, 88, 33, 17, true},         {"Label2", 176, 88, 33, 17, true},
        {"Lb_Main", 123, 32, 42, 41, true},       {"Shape2", 62, 24, 166, 49, true},
        {"Shape1", 0, 0, 41, 265, true},          {"Shape4", 72, 32, 166, 49, true},
        {"Shp_FirstBak", 56, 96, 201, 113, true}, {"Shp_Blue", 264, 16, 153, 209, true},
        {"ImTen_0", 192, 104, 32, 32, true},      {"ImTen_1", 192, 136, 32, 32, true},
        {"ImTen_2", 192, 168, 32, 32, true},      {"ImTen_3", 152, 104, 32, 32, true},
        {"ImTen_4", 152, 136, 32, 32, true},      {"ImTen_5", 152, 168, 32, 32, true},
        {"ImTenKai_0", 104, 104, 32, 32, true},   {"ImTenKai_1", 104, 136, 32, 32, true},
        {"ImTenKai_2", 104, 168, 32, 32, true},   {"ImTenKai_3", 64, 104, 32, 32, true},
        {"ImTenKai_4", 64, 136, 32, 32, true},    {"ImTenKai_5", 64, 168, 32, 32, true},
        {"Shape3", 32, 248, 401, 17, true},       {"Im_Next", 208, 200, 53, 34, true},
        {"Im_Check", 128, 200, 71, 32, true},     {"Option1_0", 280, 88, 33, 17, true},
        {"Option1_1", 280, 104, 33, 17, true},    {"Option1_2", 280, 120, 33, 17, true},
        {"Option1_3", 280, 136, 33, 17, true},    {"Option1_4", 280, 152, 33, 17, true},
        {"Option1_5", 312, 88, 33, 17, true},     {"Option1_6", 312, 104, 33, 17, true},
        {"Option1_7", 312, 120, 33, 17, true},    {"Option1_8", 312, 136, 33, 17, true},
        {"Option1_9", 312, 152, 33, 17, true},    {"Option1_10", 344, 88, 57, 17, true},
        {"Option1_11", 344, 104, 57, 17, true},   {"Check1", 56, 216, 73, 15, true},
        {"TexCheck", 408, 0, 25, 18, false},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << QRect(row.x, row.y, row.w, row.h) << row.visible;
}

void Form1LayoutTest::controlGeometryAndStartVisibility() {
    QFETCH(QRect, rect);
    QFETCH(bool, visible);
    const auto window = showForm1();
    QWidget* widget = control(*window, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->parentWidget(), window.get());
    QCOMPARE(widget->geometry(), rect);
    QCOMPARE(widget->isVisible(), visible);
}

static bool isWindowed(const QWidget* widget) {
    return (qobject_cast<const QAbstractButton*>(widget) &&
            !qobject_cast<const ImageControl*>(widget)) ||
           qobject_cast<const TextBoxControl*>(widget);
}

// The window's own controls as Qt stacks them, topmost first.
static QStringList stackTopDown(const Form1& window, bool windowed) {
    QStringList names;
    for (QObject* child : window.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && isWindowed(widget) == windowed)
            names.prepend(widget->objectName());
    }
    return names;
}

void Form1LayoutTest::windowlessStackingOrder() {
    const auto window = showForm1();
    QCOMPARE(stackTopDown(*window, false), WindowlessTopDown);
}

void Form1LayoutTest::windowedControlsLieAboveAndTabInOrder() {
    const auto window = showForm1();
    const QObjectList children = window->children();
    const auto position = [&](const QString& name) {
        return children.indexOf(control(*window, name));
    };
    const int topWindowless = position(QStringLiteral("imgFuseikai"));
    const QStringList windowed = stackTopDown(*window, true);
    QCOMPARE(windowed.size(), 14);
    for (const QString& name : windowed)
        QVERIFY2(position(name) > topWindowless, qPrintable(name));

    QStringList tabChain;
    QWidget* widget = control(*window, QStringLiteral("Option1_0"));
    do {
        if (widget->parentWidget() == window.get() && isWindowed(widget))
            tabChain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control(*window, QStringLiteral("Option1_0")));
    QStringList expected;
    for (int i = 0; i < 12; ++i)
        expected << QStringLiteral("Option1_%1").arg(i);
    expected << QStringLiteral("Check1") << QStringLiteral("TexCheck");
    QCOMPARE(tabChain, expected);
}

void Form1LayoutTest::window() {
    const auto window = showForm1();
    QCOMPARE(window->size(), QSize(429, 263));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->windowTitle(), QStringLiteral("Mivesk ﾊﾞｰｼﾞｮﾝ1.2"));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // The icon comes once the first frame is up.
    QTRY_VERIFY(!window->windowIcon().isNull());
    // The designed "MS UI Gothic" 9 pt, asked for as its installed stand-in,
    // so that Qt takes that font at once instead of searching for fallbacks.
    QCOMPARE(window->font().families(), windowsFont(QStringLiteral("MS UI Gothic"), 9).families());
    QCOMPARE(window->font().pixelSize(), 12);
    QCOMPARE(QFontInfo(window->font()).family().toLower(), window->font().family().toLower());
    // Client area white where no control lies.
    QCOMPARE(pixelAt(*window, {250, 240}), White);
    // The welcome panel, its shadow, and the left strip running off the bottom.
    QCOMPARE(pixelAt(*window, {150, 95}), WelcomePink);
    QCOMPARE(pixelAt(*window, {252, 150}), QColor(128, 128, 128));
    QCOMPARE(pixelAt(*window, {20, 262}), QColor(255, 192, 192));
}

void Form1LayoutTest::startState() {
    const auto window = showForm1();
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("♪"));
    QCOMPARE(caption(*window, "lblRitsu"), QStringLiteral("0%"));
    QCOMPARE(caption(*window, "lblCount"), QStringLiteral("0門終了"));
    QCOMPARE(caption(*window, "Lb_First"),
             QStringLiteral("ようこそ！このソフトは点字を学習するためのものです。まず右にある練習モ"
                            "ードを選択しましょう。決めたら、下の「Set」をクリックしてください。"
                            "それ以外のボタンを押すととんでもない事になります！"));
    QCOMPARE(caption(*window, "Label4"), QStringLiteral("点字練習帳　「Mivesk」"));
    for (int i = 0; i < 12; ++i) {
        auto* option =
            qobject_cast<QRadioButton*>(control(*window, QStringLiteral("Option1_%1").arg(i)));
        QCOMPARE(option->isChecked(), i == 10);
    }
    auto* showAnswer = qobject_cast<QCheckBox*>(control(*window, "Check1"));
    QCOMPARE(showAnswer->text(), QStringLiteral("答えを見る"));
    QVERIFY(showAnswer->isChecked());
    QCOMPARE(qobject_cast<TextBoxControl*>(control(*window, "TexCheck"))->toPlainText().trimmed(),
             QStringLiteral("チェック用"));
}

void Form1LayoutTest::labelsLook() {
    const auto window = showForm1();
    auto* rate = qobject_cast<QLabel*>(control(*window, "lblRitsu"));
    QCOMPARE(rate->font().pixelSize(), 21);
    QVERIFY(rate->font().bold());
    QVERIFY(rate->alignment() & Qt::AlignRight);
    QCOMPARE(rate->frameWidth(), 2);
    // The version button has the very same classic sunken edge: both
    // rings, on the shadowed and on the lit side.
    const QImage shot = window->grab().toImage();
    const QRect version = control(*window, "Im_Version")->geometry();
    for (int ring = 0; ring < 2; ++ring) {
        QCOMPARE(shot.pixelColor(version.left() + ring, version.center().y()),
                 shot.pixelColor(rate->x() + ring, rate->geometry().center().y()));
        QCOMPARE(shot.pixelColor(version.center().x(), version.bottom() - ring),
                 shot.pixelColor(rate->geometry().center().x(), rate->geometry().bottom() - ring));
    }
    QCOMPARE(pixelAt(*window, {4, 36}), QColor(192, 255, 192));
    QVERIFY(pixelsOfColour(*window, rate->geometry(), QColor(255, 0, 0)) > 20);

    auto* kana = qobject_cast<QLabel*>(control(*window, "Lb_Main"));
    QCOMPARE(kana->font().pixelSize(), 40);
    QVERIFY(kana->alignment() & Qt::AlignHCenter);
    QVERIFY(pixelsOfColour(*window, kana->geometry(), QColor(128, 128, 255)) > 20);

    auto* welcome = qobject_cast<QLabel*>(control(*window, "Lb_First"));
    QCOMPARE(welcome->font().pixelSize(), 13);
    QVERIFY(welcome->font().bold());
    QVERIFY(welcome->wordWrap());
    // The whole welcome text fits inside its panel: the last line's glyphs
    // end above the label's bottom edge.
    const int textHeight = welcome->heightForWidth(welcome->width());
    QVERIFY2(textHeight - welcome->fontMetrics().descent() <= welcome->height(),
             qPrintable(QString::number(textHeight)));
}

void Form1LayoutTest::controlArraysCarryTheirIndex() {
    const auto window = showForm1();
    for (const auto& [array, count] : {std::pair{"ImTen", 6}, {"ImTenKai", 6}, {"Option1", 12}})
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("%1_%2").arg(array).arg(i);
            QCOMPARE(control(*window, name)->property("Index").toInt(), i);
        }
}

void Form1LayoutTest::imagesAndLabelsNeverTakeFocus() {
    const auto window = showForm1();
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !isWindowed(widget))
            QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
    }
}

void Form1LayoutTest::accessibleNames() {
    const auto window = showForm1();
    const std::pair<const char*, const char*> names[] = {
        {"Im_Set", "セット"},
        {"Im_Check", "チェック"},
        {"Im_Next", "次へ"},
        {"Im_Reset", "はじめから"},
        {"Im_End", "おわり"},
        {"Im_Hint", "ヒント"},
        {"Im_Version", "バージョン情報"},
        {"imgSeikai", "正解"},
        {"imgOsii", "おしい"},
        {"imgFuseikai", "不正解"},
        {"ImTen_0", "入力の点1"},
        {"ImTen_5", "入力の点6"},
        {"ImTenKai_2", "答えの点3"},
        {"Label2", "入力"},
        {"lblCount", "0門終了"},
    };
    for (const auto& [name, accessible] : names)
        QCOMPARE(control(*window, name)->accessibleName(), QString::fromUtf8(accessible));
}

// Runs `check` on the window called `window`, shown: the main window, the
// hint window, or the About window from inside its modal loop.
static void onWindow(const QString& window, const std::function<void(QWidget&)>& check) {
    if (window == QLatin1String("Form1")) {
        check(*showForm1());
        return;
    }
    if (window == QLatin1String("Dialog")) {
        Dialog* hint = Dialog::open();
        check(*hint);
        hint->close();
        return;
    }
    QObject timers;
    bool checked = false;
    QTimer::singleShot(0, &timers, [&] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            check(*about);
            checked = true;
            about->close();
        }
    });
    QTimer::singleShot(5000, &timers, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    frmAbout::showModal();
    QVERIFY(checked);
}

void Form1LayoutTest::textsFitWhole_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text"); // null: the text the control shows
    QTest::addColumn<int>("lines");
    // The longest value of every caption the program changes, and every
    // fixed text as it is.
    const QString form1 = QStringLiteral("Form1");
    QTest::newRow("lblCount 32767") << form1 << "lblCount" << QStringLiteral("32767門終了") << 1;
    QTest::newRow("lblRitsu 100%") << form1 << "lblRitsu" << QStringLiteral("100%") << 1;
    QTest::newRow("Lb_Main ♪") << form1 << "Lb_Main" << QString() << 1;
    QTest::newRow("Lb_Main kana") << form1 << "Lb_Main" << QStringLiteral("ぬ") << 1;
    QTest::newRow("Lb_First") << form1 << "Lb_First" << QString() << 6;
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Check1"})
        QTest::newRow(name) << form1 << name << QString() << 1;
    for (int i = 0; i < 12; ++i)
        QTest::addRow("Option1_%d", i)
            << form1 << QStringLiteral("Option1_%1").arg(i) << QString() << 1;
    for (const char* name : {"Label1", "Label2"})
        QTest::addRow("Dialog %s", name) << "Dialog" << name << QString() << 1;
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "Label1", "Label2"})
        QTest::addRow("frmAbout %s", name) << "frmAbout" << name << QString() << 1;
    QTest::newRow("frmAbout lblDisclaimer") << "frmAbout"
                                            << "lblDisclaimer" << QString() << 3;
}

// Measured as the text is drawn: broken into lines at the control's width
// in the control's own font, each line's advance and glyphs' ink inside the
// rectangle left for text, each line on the baseline the label's own paint
// puts it. A button's caption is centred vertically, so only its width
// counts.
// The rectangle that `text` inks when drawn in `font` from the origin at
// its baseline, found by drawing it at the control's pixel density.
static QRectF inkOf(const QString& text, const QFont& font, qreal ratio) {
    const QFontMetricsF metrics(font);
    const int margin = 20;
    QImage image(QSize(qCeil((metrics.horizontalAdvance(text) + 2 * margin) * ratio),
                       qCeil((metrics.height() + 2 * margin) * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(margin, margin + metrics.ascent()), text);
    painter.end();
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(left / ratio - margin, top / ratio - margin - metrics.ascent(),
                  (right - left + 1) / ratio, (bottom - top + 1) / ratio);
}

// Paints a widget as it paints itself on screen, drawing nothing but
// noting where each run of text starts on its baseline, in the widget's
// coordinates. The clip is ignored: seeing text that a clip would cut off
// is the point.
class TextPositions : public QPaintDevice {
public:
    explicit TextPositions(QWidget* widget) : m_widget(widget) {
        widget->render(this, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    QPaintEngine* paintEngine() const override { return &m_engine; }
    // The distinct baselines, top down.
    QList<qreal> baselines() const {
        QList<qreal> ys;
        for (const QPointF& start : m_engine.starts)
            if (std::none_of(ys.begin(), ys.end(),
                             [&](qreal y) { return qAbs(y - start.y()) < 0.01; }))
                ys << start.y();
        std::sort(ys.begin(), ys.end());
        return ys;
    }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_widget->width();
        case PdmHeight:
            return m_widget->height();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_widget->logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_widget->logicalDpiY();
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        default:
            return 1;
        }
    }

private:
    struct Engine : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyTransform)
                transform = state.transform();
        }
        void drawTextItem(const QPointF& at, const QTextItem&) override {
            starts << transform.map(at);
        }
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        QTransform transform;
        QList<QPointF> starts;
    };
    QWidget* m_widget;
    mutable Engine m_engine;
};

static void checkTextFits(QWidget* control, const QString& newText, int lines) {
    QString text;
    QRectF box;
    QList<qreal> baselines;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool widthOnly = false;
    if (auto* label = qobject_cast<FitLabel*>(control)) {
        if (!newText.isNull())
            label->setText(newText);
        text = label->text();
        box = label->contentsRect();
        baselines = TextPositions(label).baselines();
        for (qreal& y : baselines)
            y -= box.top();
        alignment = label->alignment();
    } else {
        auto* button = qobject_cast<QAbstractButton*>(control);
        QVERIFY(button);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(button);
        box = button->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
        text = button->text();
        widthOnly = true;
    }
    QVERIFY(!text.isEmpty());
    const QFont font = control->font();
    const QFontMetricsF metrics(font);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(box.width());
    layout.endLayout();
    QCOMPARE(layout.lineCount(), lines);
    if (!widthOnly)
        QCOMPARE(baselines.size(), lines);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const QString shown = text.mid(line.textStart(), line.textLength());
        const qreal advance = metrics.horizontalAdvance(shown);
        qreal x = 0;
        if (alignment & Qt::AlignRight)
            x = box.width() - advance;
        else if (alignment & Qt::AlignHCenter)
            x = (box.width() - advance) / 2;
        // Glyphs start on whole pixels of the screen.
        const qreal ratio = control->devicePixelRatioF();
        x = std::round(x * ratio) / ratio;
        const QRectF ink = inkOf(shown, font, control->devicePixelRatioF())
                               .translated(x, widthOnly ? line.ascent() : baselines[i]);
        const QRectF drawn = ink.united(QRectF(x, ink.top(), advance, ink.height()));
        const QRectF inside = widthOnly ? QRectF(0, ink.top(), box.width(), ink.height())
                                        : QRectF(0, 0, box.width(), box.height());
        // Less than half a screen pixel over is where glyphs land between
        // pixels, not a cut.
        const qreal slack = 0.5 / ratio;
        QVERIFY2(inside.adjusted(-slack, -slack, slack, slack).contains(drawn),
                 qPrintable(QStringLiteral("%1: line %2 drawn over %3,%4 %5x%6 in %7x%8")
                                .arg(shown)
                                .arg(i + 1)
                                .arg(drawn.x())
                                .arg(drawn.y())
                                .arg(drawn.width())
                                .arg(drawn.height())
                                .arg(box.width())
                                .arg(box.height())));
    }
}

void Form1LayoutTest::textsFitWhole() {
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, lines);
    onWindow(window, [&](QWidget& shown) { checkTextFits(control(shown, name), text, lines); });
}

// A dark desktop theme, set before the windows are built and changed again
// while they are up, as a platform theme does: the program keeps its own
// light look, pixel for pixel.
void Form1LayoutTest::darkThemeChangesNoPixel() {
    QPalette dark(QColor(30, 30, 30), QColor(20, 20, 20));
    dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
    dark.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    dark.setColor(QPalette::Text, QColor(240, 240, 240));
    const auto darken = [&dark] {
        for (const char* className : {"QLabel", "QRadioButton", "QCheckBox", "QTextEdit"})
            QApplication::setPalette(dark, className);
        QApplication::setPalette(dark);
    };
    auto main = showForm1();
    Dialog* hint = Dialog::open();
    const QImage mainLight = main->grab().toImage();
    const QImage hintLight = hint->grab().toImage();
    main.reset();
    hint->close();
    QTRY_VERIFY(!hintWindow());

    darken();
    keepDesignedLook();
    const auto again = showForm1();
    hint = Dialog::open();
    QCOMPARE(again->grab().toImage(), mainLight);
    QCOMPARE(hint->grab().toImage(), hintLight);
    darken();
    QCOMPARE(again->grab().toImage(), mainLight);
    QCOMPARE(hint->grab().toImage(), hintLight);
    hint->close();
}

void Form1LayoutTest::compositorSizeKeepsTheDesignedLayout_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("main") << "Form1";
    QTest::newRow("hint") << "Dialog";
    QTest::newRow("About") << "frmAbout";
}

// A Wayland compositor maximises a window to a size of its own: the window
// takes it, shows its designed layout at the designed size in the top-left
// corner and white around it, and is the same again at its own size.
void Form1LayoutTest::compositorSizeKeepsTheDesignedLayout() {
    QFETCH(QString, window);
    const auto check = [](QWidget& shown) {
        const QSize designed = shown.size();
        const QImage before = shown.grab().toImage();
        QMap<QString, QRect> places;
        for (QWidget* child : shown.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            places[child->objectName()] = child->geometry();

        setClientSize(&shown, designed, true);
        shown.resize(designed + QSize(300, 200));
        QTRY_COMPARE(shown.size(), designed + QSize(300, 200));
        const QImage larger = shown.grab().toImage();
        QCOMPARE(larger.copy(QRect(QPoint(), before.size())), before);
        QCOMPARE(pixelsOfColour(shown, QRect(0, designed.height(), larger.width(), 200), White),
                 larger.width() * 200);
        QCOMPARE(pixelsOfColour(shown, QRect(designed.width(), 0, 300, designed.height()), White),
                 300 * designed.height());
        for (QWidget* child : shown.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QCOMPARE(child->geometry(), places.value(child->objectName()));

        shown.resize(designed);
        QTRY_COMPARE(shown.size(), designed);
        QCOMPARE(shown.grab().toImage(), before);
    };
    onWindow(window, check);
}

void Form1LayoutTest::firstPlace_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("place");
    // With the frames most window managers give: the main window 437 x 295,
    // the hint window 418 x 312 below it, 11 px further left.
    QTest::newRow("pair centred") << QRect(0, 0, 1280, 770) << QPoint(426, 80);
    QTest::newRow("pair centred, panel on top") << QRect(0, 30, 1024, 738) << QPoint(298, 94);
    QTest::newRow("side by side, 1920 x 1080 at 200 %") << QRect(0, 0, 960, 540) << QPoint(51, 113);
    QTest::newRow("only the main window fits") << QRect(0, 0, 800, 500) << QPoint(181, 102);
    QTest::newRow("smaller than the window") << QRect(0, 24, 320, 216) << QPoint(0, 24);
    QTest::newRow("narrower than the window") << QRect(0, 0, 400, 300) << QPoint(0, 0);
}

void Form1LayoutTest::firstPlace() {
    QFETCH(QRect, area);
    QFETCH(QPoint, place);
    QCOMPARE(startOfMainWindow(area, withUsualFrame(QRect(QPoint(), Form1::ClientSize)).size(),
                               withUsualFrame(QRect(QPoint(), Dialog::ClientSize)).size()),
             place);
}

QTEST_MAIN(Form1LayoutTest)
#include "tst_form1_layout.moc"

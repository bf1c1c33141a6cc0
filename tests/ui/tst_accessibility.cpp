// The drill as a screen reader works it: every control through its
// QAccessibleInterface only, the way assistive technology reaches it.

// Offscreen there is no screen reader, and Qt hands events to an update
// handler only while one is active. A bridge plugin, built into this test,
// hears every event the program emits all the same.
#define QT_STATICPLUGIN

#include "Dialog.h"
#include "Form1TestSupport.h"
#include "frmAbout.h"

#include <QAccessible>
#include <QAccessibleBridgePlugin>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QtPlugin>

using namespace mivesk;
using namespace mivesk::test;

namespace {

struct SeenEvent {
    QString objectName;
    QAccessible::Event type;
    QString said; // what a notification that shows says
};

QList<SeenEvent> seenEvents;

class RecordingBridge final : public QAccessibleBridge {
public:
    void setRootObject(QAccessibleInterface*) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent* event) override {
        if (!event->object())
            return;
        QString said;
        if (event->type() == QAccessible::ObjectShow) {
            QAccessibleInterface* iface = event->accessibleInterface();
            if (iface && iface->role() == QAccessible::Notification)
                said = iface->text(QAccessible::Name);
        }
        seenEvents.append({event->object()->objectName(), event->type(), said});
    }
};

bool seen(const QString& objectName, QAccessible::Event type) {
    return std::any_of(seenEvents.begin(), seenEvents.end(), [&](const SeenEvent& event) {
        return event.objectName == objectName && event.type == type;
    });
}

// What the last notification said.
QString lastSaid() {
    for (auto event = seenEvents.crbegin(); event != seenEvents.crend(); ++event) {
        if (!event->said.isEmpty())
            return event->said;
    }
    return {};
}

QAccessibleInterface* accessible(const QWidget& window, const QString& name) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control(window, name));
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(name));
    return iface;
}

QStringList actionsOf(QAccessibleInterface* iface) {
    return iface->actionInterface() ? iface->actionInterface()->actionNames() : QStringList{};
}

// Works a control by its action and lets the action's click arrive.
void act(const QWidget& window, const QString& name, const QString& action) {
    QAccessibleInterface* iface = accessible(window, name);
    QVERIFY2(actionsOf(iface).contains(action), qPrintable(name));
    iface->actionInterface()->doAction(action);
    QCoreApplication::processEvents();
}

bool checked(const QWidget& window, const QString& name) {
    return accessible(window, name)->state().checked;
}

} // namespace

class RecordingBridgePlugin final : public QAccessibleBridgePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QAccessibleBridgeFactoryInterface" FILE
                          "tst_accessibility.json")
public:
    // Qt keeps the bridges it creates to the end and never deletes them.
    QAccessibleBridge* create(const QString&) override {
        static RecordingBridge bridge;
        return &bridge;
    }
};
Q_IMPORT_PLUGIN(RecordingBridgePlugin)

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void init() { seenEvents.clear(); }
    void cleanup();

    void controls_data();
    void controls();
    void wholeAnswerByActions();
    void actionIsRoutedLikeAClick();
};

void AccessibilityTest::cleanup() {
    if (Dialog* hint = hintWindow())
        delete hint;
}

void AccessibilityTest::controls_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    // NoRole: kept out of the tree.
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("invisible");
    QTest::addColumn<QStringList>("actions");
    // Place among the window's children in reading order, or -1.
    QTest::addColumn<int>("index");
    // The keys that work the control, as its action's key bindings.
    QTest::addColumn<QStringList>("keys");

    const QStringList press{QAccessibleActionInterface::pressAction()};
    const QStringList toggle{QAccessibleActionInterface::toggleAction()};
    const QStringList focus{QAccessibleActionInterface::setFocusAction()};
    const auto row = [](const char* window, const char* name, QAccessible::Role role,
                        const char* accessibleName, bool checkable, bool readOnly, bool invisible,
                        const QStringList& actions, int index = -1, const QStringList& keys = {}) {
        QTest::addRow("%s %s", window, name)
            << window << name << int(role) << QString::fromUtf8(accessibleName) << checkable
            << readOnly << invisible << actions << index << keys;
    };
    using A = QAccessible;
    row("Form1", "Im_Set", A::Button, "セット", false, false, false, press, -1, {"S"});
    row("Form1", "Im_Check", A::Button, "チェック", false, false, false, press, -1,
        {"Return", "Enter", "Num+Enter"});
    row("Form1", "Im_Next", A::Button, "次へ", false, false, false, press, -1, {"N"});
    row("Form1", "Im_Reset", A::Button, "はじめから", false, false, false, press, -1, {"R"});
    row("Form1", "Im_End", A::Button, "おわり", false, false, false, press, -1, {"Ctrl+Q"});
    row("Form1", "Im_Hint", A::Button, "ヒント", false, false, false, press, -1, {"H", "F1"});
    row("Form1", "Im_Version", A::Button, "バージョン情報", false, false, false, press, -1, {"V"});
    row("Form1", "ImTen_0", A::CheckBox, "入力の点1", true, false, false, toggle, -1,
        {"1", "Num+1"});
    row("Form1", "ImTen_5", A::CheckBox, "入力の点6", true, false, false, toggle, -1,
        {"6", "Num+6"});
    row("Form1", "ImTenKai_2", A::CheckBox, "答えの点3", true, true, false, {});
    row("Form1", "imgSeikai", A::AlertMessage, "正解", false, false, true, {});
    row("Form1", "imgFuseikai", A::AlertMessage, "不正解", false, false, true, {});
    row("Form1", "Image3", A::Graphic, "凹面", false, false, false, {});
    row("Form1", "Shp_Blue", A::NoRole, "", false, false, false, {});
    row("Form1", "ShpCover", A::NoRole, "", false, false, false, {});
    row("Form1", "TexCheck", A::NoRole, "", false, false, false, {});
    row("Form1", "Imtenon", A::NoRole, "", false, false, false, {});
    row("Form1", "Imtenoff", A::NoRole, "", false, false, false, {});
    row("Dialog", "Im_Close", A::Button, "とじます", false, false, false, press, 5);
    row("Dialog", "Image1", A::Graphic, "凹面の6点", false, false, false, {}, 0);
    row("Dialog", "Text1", A::EditableText, "あ行", false, true, false, focus, 2);
    row("Dialog", "txtHint", A::EditableText, "ヒント", false, true, false, focus, 3);
    row("Dialog", "Shape1", A::NoRole, "", false, false, false, {});
    row("frmAbout", "picIcon", A::Graphic, "アイコン", false, false, false, {}, 0);
    row("frmAbout", "lblTitle", A::StaticText, "Mivesk", false, true, false, {}, 1);
    row("frmAbout", "lblDisclaimer", A::StaticText, "", false, true, false, {}, 6);
    row("frmAbout", "ImOk", A::Button, "わかりました", false, false, false, press, 7);
    row("frmAbout", "Line1", A::NoRole, "", false, false, false, {});
}

void AccessibilityTest::controls() {
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, accessibleName);
    QFETCH(bool, checkable);
    QFETCH(bool, readOnly);
    QFETCH(bool, invisible);
    QFETCH(QStringList, actions);
    QFETCH(int, index);
    QFETCH(QStringList, keys);

    const auto check = [&](const QWidget& shown) {
        QAccessibleInterface* iface = accessible(shown, name);
        QAccessibleInterface* parent =
            QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&shown));
        if (role == QAccessible::NoRole) {
            QCOMPARE(parent->indexOfChild(iface), -1);
            for (int i = 0; i < parent->childCount(); ++i)
                QVERIFY(parent->child(i)->object() != iface->object());
            return;
        }
        QCOMPARE(int(iface->role()), role);
        if (!accessibleName.isEmpty())
            QCOMPARE(iface->text(QAccessible::Name), accessibleName);
        QCOMPARE(bool(iface->state().checkable), checkable);
        QVERIFY(!iface->state().checked);
        QCOMPARE(bool(iface->state().readOnly), readOnly);
        QCOMPARE(bool(iface->state().invisible), invisible);
        QVERIFY(!iface->state().focusable || role == QAccessible::EditableText);
        QCOMPARE(actionsOf(iface), actions);
        if (!actions.isEmpty())
            QCOMPARE(iface->actionInterface()->keyBindingsForAction(actions.first()), keys);
        QCOMPARE(iface->parent()->object(), &shown);
        const int at = parent->indexOfChild(iface);
        QVERIFY(at >= 0);
        QCOMPARE(parent->child(at)->object(), iface->object());
        if (index >= 0)
            QCOMPARE(at, index);
    };

    if (window == QLatin1String("Form1")) {
        check(*showForm1());
    } else if (window == QLatin1String("Dialog")) {
        check(*Dialog::open());
    } else {
        // The About window is modal: look at it from inside its own loop,
        // then close it with its button's action.
        bool looked = false;
        QTimer::singleShot(0, [&] {
            QWidget* about = QApplication::activeModalWidget();
            QVERIFY(about);
            looked = true;
            check(*about);
            act(*about, "ImOk", QAccessibleActionInterface::pressAction());
        });
        QTimer::singleShot(5000, [] {
            if (QWidget* about = QApplication::activeModalWidget())
                about->close();
        });
        QElapsedTimer closing;
        closing.start();
        frmAbout::showModal();
        QVERIFY(looked);
        QVERIFY2(closing.elapsed() < 4000, "わかりました did not close the window");
    }
}

void AccessibilityTest::wholeAnswerByActions() {
    const auto window = showForm1();
    auto* check1 = window->findChild<QCheckBox*>("Check1");
    window->activateWindow();
    check1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), check1);

    act(*window, "Im_Set", QAccessibleActionInterface::pressAction());
    QCOMPARE(caption(*window, "Lb_Main"), QStringLiteral("あ"));
    QVERIFY(seen("Lb_Main", QAccessible::NameChanged));

    // あ is dot 1 alone; dot 5 is one too many.
    act(*window, "ImTen_0", QAccessibleActionInterface::toggleAction());
    act(*window, "ImTen_4", QAccessibleActionInterface::toggleAction());
    QVERIFY(checked(*window, "ImTen_0"));
    QVERIFY(checked(*window, "ImTen_4"));
    QVERIFY(!checked(*window, "ImTen_1"));
    QVERIFY(seen("ImTen_4", QAccessible::StateChanged));
    QVERIFY(!seen("imgOsii", QAccessible::Alert));

    act(*window, "Im_Check", QAccessibleActionInterface::pressAction());
    QVERIFY(seen("imgOsii", QAccessible::Alert));
    QVERIFY(!seen("imgSeikai", QAccessible::Alert));
    QAccessibleInterface* mark = accessible(*window, "imgOsii");
    QCOMPARE(mark->role(), QAccessible::AlertMessage);
    QCOMPARE(mark->text(QAccessible::Name), QStringLiteral("おしい"));
    QVERIFY(!mark->state().invisible);
    QVERIFY(checked(*window, "ImTenKai_0"));
    QVERIFY(!checked(*window, "ImTenKai_4"));
    QCOMPARE(accessible(*window, "lblCount")->text(QAccessible::Name), QStringLiteral("1門終了"));
    QVERIFY(seen("lblCount", QAccessible::NameChanged));
    QVERIFY(seen("lblRitsu", QAccessible::NameChanged));
    // Said without the focus moving: the verdict, the answer and the score.
    QCOMPARE(lastSaid(), QStringLiteral("おしい 答えは点1 0% 1門終了"));

    // A covered answer is not given away.
    check1->click();
    act(*window, "Im_Check", QAccessibleActionInterface::pressAction());
    QCOMPARE(lastSaid(), QStringLiteral("おしい 0% 2門終了"));
    // Images never take the focus, by click or by action.
    QCOMPARE(QApplication::focusWidget(), check1);
}

void AccessibilityTest::actionIsRoutedLikeAClick() {
    const auto window = showForm1();
    const QString toggle = QAccessibleActionInterface::toggleAction();

    // Before Set the welcome text lies over the input cell and takes the
    // click.
    act(*window, "ImTen_0", toggle);
    QVERIFY(!checked(*window, "ImTen_0"));
    QCOMPARE(raisedDots(*window), QByteArray("000000"));

    act(*window, "Im_Set", QAccessibleActionInterface::pressAction());
    act(*window, "Im_Check", QAccessibleActionInterface::pressAction());
    QVERIFY(control(*window, "imgOsii")->isVisible());

    // The mark now lies over the cell and swallows the toggle.
    act(*window, "ImTen_0", toggle);
    QVERIFY(!checked(*window, "ImTen_0"));
    QCOMPARE(raisedDots(*window), QByteArray("000000"));

    // Next hides the mark, and the dot answers again.
    act(*window, "Im_Next", QAccessibleActionInterface::pressAction());
    act(*window, "ImTen_0", toggle);
    QVERIFY(checked(*window, "ImTen_0"));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"

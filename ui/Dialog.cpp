#include "Dialog.h"

#include <QPointer>

namespace mivesk {

namespace {
QPointer<Dialog> theHintWindow;
} // namespace

Dialog::Dialog() : QWidget(nullptr, Qt::Tool) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ヒント♪"));
    setFixedSize(410, 280);
}

Dialog* Dialog::open() {
    if (!theHintWindow)
        theHintWindow = new Dialog;
    theHintWindow->show();
    theHintWindow->raise();
    theHintWindow->activateWindow();
    return theHintWindow;
}

Dialog* Dialog::current() {
    return theHintWindow;
}

} // namespace mivesk

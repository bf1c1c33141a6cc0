#include "frmAbout.h"

namespace mivesk {

frmAbout::frmAbout() : QDialog(nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(306, 170);
}

void frmAbout::showModal() {
    auto* about = new frmAbout;
    about->exec();
}

} // namespace mivesk

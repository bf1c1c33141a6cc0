#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "Fonts.h"
#include "Form1.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivesk"));
    mivesk::registerFontSubstitutes();

    mivesk::DataFileCheck data = mivesk::checkDataFile(mivesk::dataFileCandidates());
    if (!data.dictionary)
        return mivesk::reportDataFileProblem(data.problem);

    auto engine = std::make_unique<mivesk::DrillEngine>(
        std::move(data.dictionary), std::make_unique<mivesk::ClockSeededRandom>());
    mivesk::Form1 window(std::move(engine));
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return app.exec();
}

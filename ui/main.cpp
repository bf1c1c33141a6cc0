#include "DataFileCheck.h"
#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "Fonts.h"
#include "Form1.h"

#include <QApplication>

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
    window.centreOnScreen();
    window.show();
    return app.exec();
}

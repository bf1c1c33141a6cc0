#include "DataFileLocator.h"
#include "DrillEngine.h"
#include "FileDictionarySource.h"
#include "Fonts.h"
#include "Form1.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mivesk"));
    mivesk::registerFontSubstitutes();

    const QString path = mivesk::findDataFile();
    if (path.isEmpty()) {
        std::fprintf(stderr, "mivesk: cannot find the dictionary file %s. Looked for:\n",
                     mivesk::DataFileName);
        for (const QString& candidate : mivesk::dataFileCandidates())
            std::fprintf(stderr, "  %s\n", qPrintable(candidate));
        return 1;
    }
    auto dictionary = std::make_unique<mivesk::FileDictionarySource>(path);
    if (!dictionary->open()) {
        std::fprintf(stderr, "mivesk: cannot open %s: %s\n", qPrintable(path),
                     qPrintable(dictionary->errorString()));
        return 1;
    }

    auto engine = std::make_unique<mivesk::DrillEngine>(
        std::move(dictionary), std::make_unique<mivesk::ClockSeededRandom>());
    mivesk::Form1 window(std::move(engine));
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return app.exec();
}

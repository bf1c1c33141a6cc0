#pragma once

#include <QDialog>

namespace mivesk {

// The About window: the program's title and version, shown modally.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Loads a fresh About window, shows it modally and returns once it has
    // closed.
    static void showModal();

private:
    frmAbout();
};

} // namespace mivesk

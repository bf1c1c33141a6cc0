#pragma once

#include <QWidget>

namespace mivesk {

// The hint window: a fixed tool window that explains how the cells of the
// kana rows are built. There is at most one; it has no owner, so the main
// window stays usable beside it and can come in front of it.
class Dialog : public QWidget {
    Q_OBJECT
public:
    // Shows the one hint window, creating it if it is not open, or brings
    // it to the front if it is. Returns it.
    static Dialog* open();

    static constexpr QSize ClientSize{410, 280};

private:
    Dialog();
    void Im_Close_Click();
};

} // namespace mivesk

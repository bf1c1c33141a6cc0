#pragma once

#include <QDialog>

namespace mivesk {

class FitLabel;

// The About window: the program's title and version, shown modally.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Loads a fresh About window, shows it modally and returns once it has
    // closed.
    static void showModal();

    // The caption the window takes on loading: the title, then "のﾊﾞｰｼﾞｮﾝ情報".
    static QString captionFor(const QString& title);
    // "ﾊﾞｰｼﾞｮﾝ " and the three numbers in plain decimal, joined by dots.
    static QString versionTextFor(short major, short minor, short revision);

protected:
    // Esc, Return and Enter close the window as わかりました does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    frmAbout();
    void Form_Load();
    void ImOk_Click();
    void placeOverTheMainWindow();

    FitLabel* m_lblTitle = nullptr;
    FitLabel* m_lblVersion = nullptr;
};

} // namespace mivesk

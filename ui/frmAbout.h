#pragma once

#include <QDialog>

namespace mivesk {

class FitLabel;

// The About window: the program's title and version, shown modally.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Loads a fresh About window, shows it modally over `owner`, which it
    // is centred on, and returns once it has closed.
    static void showModal(QWidget* owner = nullptr);

    // The caption the window takes on loading: the title, then "のﾊﾞｰｼﾞｮﾝ情報".
    static QString captionFor(const QString& title);
    // "ﾊﾞｰｼﾞｮﾝ " and the three numbers in plain decimal, joined by dots.
    static QString versionTextFor(short major, short minor, short revision);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit frmAbout(QWidget* owner);
    void Form_Load();
    void ImOk_Click();

    FitLabel* m_lblTitle = nullptr;
    FitLabel* m_lblVersion = nullptr;
};

} // namespace mivesk

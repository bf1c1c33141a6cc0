#pragma once

#include "DrillEngine.h"
#include "MainWindowView.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;

namespace mivesk {

class FitLabel;
class ImageControl;
class ShapeControl;
class TextBoxControl;
struct ControlDesign;

// The main window. It holds no drill logic: every click goes to the engine,
// and after each one the window shows what the engine's view says.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(std::unique_ptr<DrillEngine> engine, QWidget* parent = nullptr);
    ~Form1() override;

    // Places the window so that it and the hint window below it are centred
    // on its screen where both fit; never off the screen's top or left edge.
    void centreOnScreen();

    static constexpr QSize ClientSize{429, 263};

private:
    QWidget* createWindowed(const ControlDesign& design);
    // The control of the design table called `name`.
    template <typename Control> Control* child(const QString& name) const;
    void takeMembers();
    void bindEvents();
    // Keys for every image button and input dot: each works its control as
    // a click at the control's centre would, wherever the focus is.
    void bindKeys();

    // Runs one engine operation and shows its outcome, unless End has
    // already ended the program.
    template <typename... Args> void forward(void (DrillEngine::*operation)(Args...), Args... args);
    // Updates only the controls whose value differs from what is on
    // screen, so that one dot click repaints one dot.
    void render(bool everything = false);
    void showDot(ImageControl* dot, DotPicture picture);
    void endProgram();

    // Tells a screen reader what came of an operation, from what the window
    // now shows: the kana, the score and the kana, a dot's new state, or
    // the verdict, the answer's dots unless covered, and the score.
    enum class Spoken { Question, Score, Dot, Verdict };
    void tellListener(Spoken what, int dot = 0);
    // Back to this window once the hint or About window has closed.
    void takeBackKeyboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_movingSelection = false;

    std::unique_ptr<DrillEngine> m_engine;
    MainWindowView m_shown;
    bool m_ended = false;

    ImageControl* m_Im_Set = nullptr;
    ImageControl* m_Im_Next = nullptr;
    ImageControl* m_Im_Reset = nullptr;
    ImageControl* m_Im_Check = nullptr;
    ImageControl* m_Im_End = nullptr;
    ImageControl* m_Im_Hint = nullptr;
    ImageControl* m_Im_Version = nullptr;
    std::array<ImageControl*, 6> m_ImTen{};
    std::array<ImageControl*, 6> m_ImTenKai{};
    ImageControl* m_Imtenon = nullptr;
    ImageControl* m_Imtenoff = nullptr;
    ImageControl* m_imgSeikai = nullptr;
    ImageControl* m_imgOsii = nullptr;
    ImageControl* m_imgFuseikai = nullptr;
    ShapeControl* m_ShpCover = nullptr;
    ShapeControl* m_Shp_first = nullptr;
    ShapeControl* m_Shp_FirstBak = nullptr;
    FitLabel* m_Lb_First = nullptr;
    FitLabel* m_Lb_Main = nullptr;
    FitLabel* m_lblRitsu = nullptr;
    FitLabel* m_lblCount = nullptr;
    TextBoxControl* m_TexCheck = nullptr;
    QCheckBox* m_Check1 = nullptr;
    QButtonGroup* m_Option1 = nullptr;
};

} // namespace mivesk

#pragma once

#include "Grading.h"
#include "KanaDictionary.h"
#include "MainWindowView.h"
#include "RandomSource.h"

#include <memory>

namespace mivesk {

// The drill: its state and one method per thing the user does on the main
// window. Each method runs to completion and leaves in view() what the
// window should show.
class DrillEngine {
public:
    // Modes 0 to 9 are the rows of the kana table, 10 all 46 kana in
    // table order, 11 random order.
    static constexpr int ModeCount = 12;
    static constexpr int RandomMode = 11;

    DrillEngine(std::unique_ptr<DictionarySource> dictionary, std::unique_ptr<RandomSource> random);

    // Start-up: seeds the random numbers, makes record 1 current and writes
    // the empty score.
    void Form_Load();
    // The user picked practice mode `Index` (0 to 11); it takes effect at Set.
    void Option1_Click(int Index);
    void Im_Set_Click();
    void Im_Next_Click();
    void Im_Reset_Click();
    // Closes the dictionary; the window then ends the program.
    void Im_End_Click();
    // The user clicked dot `Index` (0 to 5) of the input cell.
    void ImTen_Click(int Index);
    void Im_Check_Click();
    // The show-answer check box changed: 0 unchecked, 1 checked, 2 grayed.
    void Check1_Click(int Value);

    const MainWindowView& view() const { return m_view; }

private:
    void ShowQuestion();
    void ClearCells();
    void HideVerdicts();
    void UpdateScore();
    void readQuestionIntoMainLabel();
    qint16 randomDraw();

    KanaDictionary m_dictionary;
    std::unique_ptr<RandomSource> m_random;
    MainWindowView m_view;

    bool m_IsRandom = false;
    Cell m_InputDots;
    Cell m_AnswerDots;
    qint16 m_Mode = 0;
    qint16 m_QuestionNo = 0;
    qint16 m_RangeEnd = 0;
    qint16 m_RangeStart = 0;
    qint16 m_CorrectCount = 0;
    qint16 m_MissCount = 0;
    qint16 m_AnsweredCount = 0;
};

} // namespace mivesk

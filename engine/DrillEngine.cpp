#include "DrillEngine.h"

#include "ScoreText.h"

#include <array>
#include <limits>

namespace mivesk {

namespace {

constexpr qint16 CounterLimit = std::numeric_limits<qint16>::max();
const QString Raised = QStringLiteral("1");
const QString Flat = QStringLiteral("0");

// The records one ordered mode drills: the ten rows of the kana table, in
// table order (the や and わ rows hold three kana each), then all 46.
struct ModeRange {
    qint16 start;
    qint16 end;
};
constexpr std::array<ModeRange, DrillEngine::RandomMode> ModeRanges{{
    {1, 5},   // あ
    {6, 10},  // か
    {11, 15}, // さ
    {16, 20}, // た
    {21, 25}, // な
    {26, 30}, // は
    {31, 35}, // ま
    {36, 38}, // や
    {39, 43}, // ら
    {44, 46}, // わ
    {1, 46},  // 50音順
}};

// Shows a dot flag on a dot's picture: "1" raised, "0" flat. Any other
// flag leaves the picture as it was.
void showFlag(DotPicture& picture, const QString& flag) {
    if (flag == Raised) {
        picture = DotPicture::On;
    } else if (flag == Flat) {
        picture = DotPicture::Off;
    }
}

} // namespace

DrillEngine::DrillEngine(std::unique_ptr<DictionarySource> dictionary,
                         std::unique_ptr<RandomSource> random)
    : m_dictionary(std::move(dictionary)), m_random(std::move(random)) {
}

void DrillEngine::Form_Load() {
    m_random->seedFromClock();
    m_QuestionNo = 1;
    UpdateScore();
}

void DrillEngine::Option1_Click(int Index) {
    if (Index >= 0 && Index < ModeCount) {
        m_Mode = static_cast<qint16>(Index);
    }
}

void DrillEngine::Im_Set_Click() {
    HideVerdicts();
    m_view.Shp_first = false;
    m_view.Lb_First = false;
    m_view.Shp_FirstBak = false;

    if (m_Mode == RandomMode) {
        // The random mode has no range; the last one stays as it was.
        m_IsRandom = true;
        m_QuestionNo = randomDraw();
    } else {
        const ModeRange range = ModeRanges.at(size_t(m_Mode));
        m_RangeEnd = range.end;
        m_RangeStart = range.start;
        m_QuestionNo = range.start;
        m_IsRandom = false;
    }

    readQuestionIntoMainLabel();
    ClearCells();
    m_view.hasQuestion = true;
}

void DrillEngine::Im_Next_Click() {
    if (!m_view.hasQuestion) {
        return;
    }
    HideVerdicts();
    m_QuestionNo = m_IsRandom ? randomDraw() : static_cast<qint16>(m_QuestionNo + 1);
    ShowQuestion();
}

void DrillEngine::ShowQuestion() {
    for (;;) {
        m_view.TexCheck = QString::number(m_QuestionNo);
        readQuestionIntoMainLabel();
        ClearCells();
        if (m_IsRandom || m_QuestionNo <= m_RangeEnd) {
            return;
        }
        // Past the end of the range: back to its first kana. Moving on is
        // not an answer, so the count of answers stays as it is.
        m_QuestionNo = m_RangeStart;
    }
}

void DrillEngine::Im_Reset_Click() {
    if (!m_view.hasQuestion) {
        return;
    }
    m_AnsweredCount = 0;
    m_CorrectCount = 0;
    m_MissCount = 0;
    UpdateScore();
    HideVerdicts();
    ClearCells();
    m_QuestionNo = m_IsRandom ? randomDraw() : m_RangeStart;
    readQuestionIntoMainLabel();
}

void DrillEngine::Im_End_Click() {
    m_dictionary.close();
}

void DrillEngine::ImTen_Click(int Index) {
    if (Index < 0 || Index >= int(m_InputDots.size())) {
        return;
    }
    QString& dot = m_InputDots[size_t(Index)];
    if (dot == Flat) {
        dot = Raised;
    } else if (dot == Raised) {
        dot = Flat;
    } else {
        return; // before the first clear
    }
    showFlag(m_view.ImTen[size_t(Index)], dot);
}

void DrillEngine::Im_Check_Click() {
    if (!m_view.hasQuestion) {
        return;
    }
    m_dictionary.read(m_QuestionNo);
    for (size_t i = 0; i < m_AnswerDots.size(); ++i) {
        m_AnswerDots[i] = m_dictionary.record().dotText(int(i) + 1);
        showFlag(m_view.ImTenKai[i], m_AnswerDots[i]);
    }

    const Verdict verdict = verdictFor(countAgreeingDots(m_InputDots, m_AnswerDots));
    m_view.lastVerdict = verdict;
    switch (verdict) {
    case Verdict::Correct:
        m_view.imgSeikai = true;
        break;
    case Verdict::Almost:
        m_view.imgOsii = true;
        break;
    case Verdict::Incorrect:
        m_view.imgFuseikai = true;
        break;
    }
    // At the counters' limit an answer is still graded and shown, but no
    // longer counted.
    if (m_AnsweredCount < CounterLimit) {
        ++m_AnsweredCount;
        ++(verdict == Verdict::Correct ? m_CorrectCount : m_MissCount);
    }
    UpdateScore();
}

void DrillEngine::Check1_Click(int Value) {
    if (Value == 0) {
        m_view.ShpCover = true;
    } else if (Value == 1) {
        m_view.ShpCover = false;
    }
}

void DrillEngine::ClearCells() {
    for (size_t i = 0; i < m_InputDots.size(); ++i) {
        m_InputDots[i] = Flat;
        m_AnswerDots[i] = Flat;
        m_view.ImTen[i] = DotPicture::Off;
        m_view.ImTenKai[i] = DotPicture::Off;
    }
}

void DrillEngine::HideVerdicts() {
    m_view.imgSeikai = false;
    m_view.imgOsii = false;
    m_view.imgFuseikai = false;
    m_view.lastVerdict.reset();
}

void DrillEngine::UpdateScore() {
    m_view.lblRitsu = rateText(m_CorrectCount, m_AnsweredCount);
    m_view.lblCount = countText(m_AnsweredCount);
}

void DrillEngine::readQuestionIntoMainLabel() {
    m_dictionary.read(m_QuestionNo);
    m_view.Lb_Main = m_dictionary.record().kanaText();
}

qint16 DrillEngine::randomDraw() {
    return drawRecordNumber(m_random->next());
}

} // namespace mivesk

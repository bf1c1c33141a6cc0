#include "TestSupport.h"

#include <QFile>
#include <QTest>

namespace mivesk::test {

float ScriptedRandom::next() {
    const float r = m_numbers.at(m_next);
    m_next = (m_next + 1) % m_numbers.size();
    return r;
}

int RecordingSource::readRecord(int n, char* out, int size) {
    if (m_reads) {
        m_reads->push_back(n);
    }
    return m_memory.readRecord(n, out, size);
}

QByteArray dataFileBytes() {
    QFile file(QStringLiteral(MIVESK_DATA_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot open the data file %s", MIVESK_DATA_FILE);
    }
    return file.readAll();
}

QByteArray record(const char* kanaShiftJis, const char (&flags)[7]) {
    return QByteArray(kanaShiftJis, 2) + QByteArray(flags, 6);
}

std::unique_ptr<DrillEngine> startedEngine(QByteArray bytes, std::vector<float> randoms,
                                           std::vector<int>* reads) {
    auto engine =
        std::make_unique<DrillEngine>(std::make_unique<RecordingSource>(std::move(bytes), reads),
                                      std::make_unique<ScriptedRandom>(std::move(randoms)));
    engine->Form_Load();
    return engine;
}

QByteArray pictures(const std::array<DotPicture, 6>& cell) {
    QByteArray text;
    for (const DotPicture dot : cell) {
        text += dot == DotPicture::On ? '1' : '0';
    }
    return text;
}

} // namespace mivesk::test

#pragma once

#include "PeakMemory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace mivesk::bench {

// With MIVESK_BENCH_SMAPS set, lists on standard error the mappings that
// hold the most resident memory, to see where the peak comes from.
inline void printLargestMappings() {
    std::FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (!smaps)
        return;
    struct Mapping {
        std::string name;
        long rssKiB = 0;
    };
    std::vector<Mapping> mappings;
    char line[512];
    while (std::fgets(line, sizeof line, smaps)) {
        long kib = 0;
        char first[128] = "";
        char name[384] = "";
        if (std::sscanf(line, "Rss: %ld kB", &kib) == 1) {
            if (!mappings.empty())
                mappings.back().rssKiB = kib;
        } else if (std::sscanf(line, "%127s", first) == 1 && std::strchr(first, '-') &&
                   !std::strchr(first, ':')) {
            // "start-end perms offset dev inode   name"
            std::sscanf(line, "%*s %*s %*s %*s %*s %383[^\n]", name);
            mappings.push_back({name[0] ? name : "[anonymous]", 0});
        }
    }
    std::fclose(smaps);
    std::map<std::string, long> byName;
    for (const Mapping& mapping : mappings)
        byName[mapping.name] += mapping.rssKiB;
    std::vector<std::pair<long, std::string>> sorted;
    for (const auto& [name, kib] : byName)
        sorted.emplace_back(kib, name);
    std::sort(sorted.rbegin(), sorted.rend());
    for (size_t i = 0; i < sorted.size() && i < 12; ++i)
        std::fprintf(stderr, "%8ld KiB  %s\n", sorted[i].first, sorted[i].second.c_str());
}

// Watches a top-level window for its first paint event and quits once the
// window and all its children have been painted and flushed (a queued call
// runs after that pass of the event loop), so that a whole-process timer
// such as hyperfine times start-up to the first paint. The time itself is
// taken from outside by bench_first_frame. With MIVESK_BENCH_SMAPS set, it
// first prints the peak memory and the largest mappings at that moment.
class StartupProbe final : public QObject {
public:
    explicit StartupProbe(QWidget* window) { window->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(this, &StartupProbe::finish, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void finish() {
        if (qEnvironmentVariableIsSet("MIVESK_BENCH_SMAPS")) {
            std::fprintf(stderr, "VmHWM %ld KiB\n", peakResidentKiB());
            printLargestMappings();
        }
        QCoreApplication::quit();
    }

    bool m_painted = false;
};

} // namespace mivesk::bench

#pragma once

#include <cstdio>
#include <string>

// The peak resident set size of a process so far (VmHWM), in KiB, read from
// its /proc/<pid>/status file; -1 where the kernel does not tell.
inline long peakResidentKiB(const std::string& statusFile = "/proc/self/status") {
    std::FILE* status = std::fopen(statusFile.c_str(), "r");
    if (!status) {
        return -1;
    }
    long kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) {
            break;
        }
    }
    std::fclose(status);
    return kib;
}

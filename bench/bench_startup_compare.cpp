// Runs two start-up programs alternately, one run of each per round, the
// order swapped every round so that neither always runs on a warmer
// machine, and prints the medians of their whole-process times, of their
// own "main to first paint" times and of their peak memory, with the ratios
// that the targets are set against.
//
//   bench_startup_compare [--runs N] [--warmup N] <program> <baseline>
//
// The programs are run with the environment of this one (so
// QT_QPA_PLATFORM and DISPLAY pass through) and must print
// "first_paint_ms <ms>" and "vmhwm_kib <KiB>" on their standard output.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double wholeMs = 0;
    double firstPaintMs = 0;
    double peakKiB = 0;
};

struct Samples {
    std::vector<double> wholeMs;
    std::vector<double> firstPaintMs;
    std::vector<double> peakKiB;
};

// Starts `program`, collects its standard output, and times it from just
// before the start to just after it has ended.
bool runOnce(const std::string& program, Run& run) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    std::vector<char> path(program.begin(), program.end());
    path.push_back('\0');
    char* argv[] = {path.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.data(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
        return false;
    }

    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const auto stop = std::chrono::steady_clock::now();

    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        return false;
    }
    run.wholeMs = std::chrono::duration<double, std::milli>(stop - start).count();
    const char* paint = std::strstr(text.c_str(), "first_paint_ms ");
    const char* peak = std::strstr(text.c_str(), "vmhwm_kib ");
    if (!paint || !peak) {
        std::fprintf(stderr, "%s printed no figures:\n%s\n", program.c_str(), text.c_str());
        return false;
    }
    run.firstPaintMs = std::atof(paint + std::strlen("first_paint_ms "));
    run.peakKiB = std::atof(peak + std::strlen("vmhwm_kib "));
    return true;
}

double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    if (values.empty())
        return NAN;
    const double at = q * double(values.size() - 1);
    const size_t below = size_t(std::floor(at));
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - double(below));
}

double median(const std::vector<double>& values) {
    return quantile(values, 0.5);
}

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    int runs = 30;
    int warmup = 3;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--warmup" && i + 1 < argc)
            warmup = std::atoi(argv[++i]);
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2 || runs < 1 || warmup < 0) {
        std::fprintf(stderr, "usage: %s [--runs N] [--warmup N] <program> <baseline>\n", argv[0]);
        return 2;
    }

    // Loads the libraries, fonts and caches into memory before anything
    // counts.
    Run ignored;
    for (int i = 0; i < warmup; ++i) {
        for (const std::string& program : programs) {
            if (!runOnce(program, ignored))
                return 1;
        }
    }

    Samples samples[2];
    for (int round = 0; round < runs; ++round) {
        for (int k = 0; k < 2; ++k) {
            const int which = round % 2 == 0 ? k : 1 - k;
            Run run;
            if (!runOnce(programs[size_t(which)], run))
                return 1;
            samples[which].wholeMs.push_back(run.wholeMs);
            samples[which].firstPaintMs.push_back(run.firstPaintMs);
            samples[which].peakKiB.push_back(run.peakKiB);
        }
    }

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string a = baseName(programs[0]);
    const std::string b = baseName(programs[1]);
    std::printf("Start-up, platform %s: %d alternated runs of each (after %d warm-up rounds)\n",
                platform && *platform ? platform : "(default)", runs, warmup);
    std::printf("%-34s %12s %12s %10s  %s\n", "", a.c_str(), b.c_str(), "ratio", "target");

    const double wholeA = median(samples[0].wholeMs);
    const double wholeB = median(samples[1].wholeMs);
    const double wholeRatio = wholeA / wholeB;
    std::printf("%-34s %9.2f ms %9.2f ms %10.3f  <= 1.20 %s\n", "whole process, median", wholeA,
                wholeB, wholeRatio, wholeRatio <= 1.2 ? "met" : "MISSED");
    std::printf("%-34s %9.2f ms %9.2f ms %10.3f\n", "whole process, 10th percentile",
                quantile(samples[0].wholeMs, 0.1), quantile(samples[1].wholeMs, 0.1),
                quantile(samples[0].wholeMs, 0.1) / quantile(samples[1].wholeMs, 0.1));
    std::printf("%-34s %9.2f ms %9.2f ms %10.3f\n", "whole process, 90th percentile",
                quantile(samples[0].wholeMs, 0.9), quantile(samples[1].wholeMs, 0.9),
                quantile(samples[0].wholeMs, 0.9) / quantile(samples[1].wholeMs, 0.9));

    const double paintA = median(samples[0].firstPaintMs);
    const double paintB = median(samples[1].firstPaintMs);
    std::printf("%-34s %9.2f ms %9.2f ms %10.3f\n", "main() to first paint, median", paintA, paintB,
                paintA / paintB);

    const double peakA = median(samples[0].peakKiB) / 1024.0;
    const double peakB = median(samples[1].peakKiB) / 1024.0;
    std::printf("%-34s %8.2f MiB %8.2f MiB %+8.2f MiB  <= +8 MiB %s\n",
                "peak memory (VmHWM), median", peakA, peakB, peakA - peakB,
                peakA - peakB <= 8.0 ? "met" : "MISSED");
    return 0;
}

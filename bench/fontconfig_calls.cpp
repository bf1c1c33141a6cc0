// Counts how often a program asks fontconfig for a sorted list of fallback
// fonts (FcFontSort), for a best match (FcFontMatch) and for the
// configuration's substitutions (FcConfigSubstitute), and prints the counts
// on standard error when it exits. With MIVESK_FC_VERBOSE set it also names
// the family of every sort and match. Preload it into a start-up program:
//
//   export LD_PRELOAD=$PWD/build-bench/bench/libfontconfig_calls.so
//   QT_QPA_PLATFORM=offscreen build-bench/bench/bench_startup_form1
//
// Each sort costs about 2.5 million instructions, a match about one.

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

int sorts = 0;
int matches = 0;
int substitutions = 0;

void report() {
    std::fprintf(stderr, "fontconfig: FcFontSort %d, FcFontMatch %d, FcConfigSubstitute %d\n",
                 sorts, matches, substitutions);
}

[[gnu::constructor]] void install() {
    std::atexit(report);
}

void name(const char* call, FcPattern* pattern) {
    if (!std::getenv("MIVESK_FC_VERBOSE"))
        return;
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch)
        family = nullptr;
    std::fprintf(stderr, "  %s %s\n", call,
                 family ? reinterpret_cast<const char*>(family) : "(no family)");
}

template <typename Function> Function next(const char* symbol) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, symbol));
}

} // namespace

extern "C" {

FcFontSet* FcFontSort(FcConfig* config, FcPattern* pattern, FcBool trim, FcCharSet** csp,
                      FcResult* result) {
    static const auto real = next<decltype(&FcFontSort)>("FcFontSort");
    ++sorts;
    name("sort", pattern);
    return real(config, pattern, trim, csp, result);
}

FcPattern* FcFontMatch(FcConfig* config, FcPattern* pattern, FcResult* result) {
    static const auto real = next<decltype(&FcFontMatch)>("FcFontMatch");
    ++matches;
    name("match", pattern);
    return real(config, pattern, result);
}

FcBool FcConfigSubstitute(FcConfig* config, FcPattern* pattern, FcMatchKind kind) {
    static const auto real = next<decltype(&FcConfigSubstitute)>("FcConfigSubstitute");
    ++substitutions;
    return real(config, pattern, kind);
}

} // extern "C"

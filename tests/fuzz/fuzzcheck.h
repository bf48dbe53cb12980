// What every libFuzzer target here shares: a Qt core application made once before the first
// input (the radio core's objects and timers need one), and the check that ends the run with
// a message when an input breaks a rule the code promises. A crash input libFuzzer keeps is
// run again with: build-fuzz/tests/fuzz/fuzz_NAME crash-FILE
#pragma once

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

inline void require(bool holds, const char *rule)
{
    if (holds)
        return;
    std::fprintf(stderr, "rule broken: %s\n", rule);
    std::abort();
}

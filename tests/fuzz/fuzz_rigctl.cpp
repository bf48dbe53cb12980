// The rigctld protocol: lines from a client parsed and run against a backend that answers at
// once, as a session runs them (a line past the session's limit is refused whole). Rules:
// nothing crashes, every request is answered exactly once, and every answer ends its line.
#include "core/net/fakerigbackend.h"
#include "core/net/rigctlexecutor.h"
#include "core/net/rigctlsession.h"
#include "fuzz/fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const int MaxLine = RigctlSession::Limits().maxLineBytes;
    FakeRigBackend backend;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArray &line : input.split('\n')) {
        const QList<RigctlRequest> requests = line.size() > MaxLine
            ? QList<RigctlRequest> {RigctlParser::refusedLine()}
            : RigctlParser::parseLine(line);
        for (const RigctlRequest &request : requests) {
            (void)RigctlExecutor::freshness(request, backend);
            int answers = 0;
            QByteArray reply;
            RigctlExecutor::run(request, backend, [&](const RigctlResult &result) {
                ++answers;
                reply = RigctlReply::format(request, result);
            });
            require(answers == 1, "every request is answered once");
            require(reply.endsWith('\n'), "every answer ends its line");
        }
    }
    require(backend.frequencyA >= 0 && backend.frequencyB >= 0, "no frequency below zero");
    return 0;
}

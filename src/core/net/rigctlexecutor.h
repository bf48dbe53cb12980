// Runs one parsed request: checks and converts its arguments, asks the backend, and hands the
// result on as the values a reply carries. Arguments that do not fit (a frequency outside the
// receive ranges, an unknown mode or VFO, a RIT offset past the radio's limit) are refused
// with RPRT -1 without reaching the backend.
#pragma once

#include "core/net/rigbackend.h"
#include "core/net/rigctlreply.h"

#include <functional>
#include <optional>

namespace RigctlExecutor {

using Done = std::function<void(const RigctlResult &result)>;

// Calls done exactly once: at once for what needs no radio, else when the backend answers.
void run(const RigctlRequest &request, RigBackend &backend, const Done &done);

// For a get: whether the backend can answer it from its state at once (RigBackend::isFresh).
// Nothing for other requests.
std::optional<bool> freshness(const RigctlRequest &request, const RigBackend &backend);

} // namespace RigctlExecutor

#include "core/net/rigctlexecutor.h"

#include "core/net/rigcaps.h"
#include "core/net/rigdump.h"

#include <cmath>
#include <limits>

namespace RigctlExecutor {

namespace {

RigctlResult refused(RigError error = RigError::InvalidParameter)
{
    return {error, {}};
}

RigctlResult values(RigError error, QByteArrayList list)
{
    return {error, error == RigError::Ok ? std::move(list) : QByteArrayList()};
}

RigDone status(const Done &done)
{
    return [done](RigError error) { done({error, {}}); };
}

// Hertz as a client writes them, "14100000" or "14100000.000000"; nullopt for text that is
// no number or a frequency the radio cannot receive.
std::optional<qint64> frequencyArg(const QByteArray &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > 1e15)
        return std::nullopt;
    const auto hz = qint64(std::llround(value));
    if (!RigCaps::canReceive(hz))
        return std::nullopt;
    return hz;
}

std::optional<int> intArg(const QByteArray &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

void getFreq(RigVfo vfo, RigBackend &backend, const Done &done)
{
    backend.getFrequency(
        vfo, [done](RigError error, qint64 hz) { done(values(error, {QByteArray::number(hz)})); });
}

void setFreq(RigVfo vfo, const QByteArray &arg, RigBackend &backend, const Done &done)
{
    const auto hz = frequencyArg(arg);
    if (!hz)
        return done(refused());
    backend.setFrequency(vfo, *hz, status(done));
}

void getMode(RigBackend &backend, const Done &done)
{
    backend.getMode([done](RigError error, RigModeWidth mw) {
        done(values(error, {RigTokens::modeName(mw.mode), QByteArray::number(mw.passbandHz)}));
    });
}

void setMode(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    if (args[0] == "?")
        return done({RigError::Ok, {RigTokens::modeNames().join(' ')}});
    const auto mode = RigTokens::modeFromName(args[0]);
    const auto width = intArg(args[1], -1, std::numeric_limits<int>::max());
    if (!mode || !width)
        return done(refused());
    backend.setMode(*mode, RigCaps::resolvePassband(*mode, *width), status(done));
}

void getVfo(RigBackend &backend, const Done &done)
{
    backend.getVfo(
        [done](RigError error, RigVfo vfo) { done(values(error, {RigTokens::vfoName(vfo)})); });
}

void setVfo(const QByteArray &arg, RigBackend &backend, const Done &done)
{
    if (arg == "?")
        return done({RigError::Ok, {RigTokens::settableVfoNames().join(' ')}});
    const auto vfo = RigTokens::vfoFromName(arg);
    if (!vfo)
        return done(refused());
    if (*vfo == RigVfo::Current)
        return done({RigError::Ok, {}}); // already there
    backend.setVfo(*vfo, status(done));
}

void getSplit(RigBackend &backend, const Done &done)
{
    backend.getSplit([done](RigError error, RigSplit split) {
        done(values(error, {split.on ? "1" : "0", RigTokens::vfoName(split.txVfo)}));
    });
}

void setSplit(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    const auto on = intArg(args[0], 0, 1);
    const auto txVfo = RigTokens::vfoFromName(args[1]);
    if (!on || !txVfo || *txVfo == RigVfo::Memory)
        return done(refused());
    backend.setSplit({*on == 1, *txVfo}, status(done));
}

void setPtt(const QByteArray &arg, RigBackend &backend, const Done &done)
{
    // 1, 2 and 3 (transmit, from the microphone, from the data input) all key the radio.
    const auto ptt = intArg(arg, 0, 3);
    if (!ptt)
        return done(refused());
    backend.setPtt(*ptt != 0, status(done));
}

void setRit(const QByteArray &arg, RigBackend &backend, const Done &done)
{
    const auto offset = intArg(arg, -RigCaps::MaxRitHz, RigCaps::MaxRitHz);
    if (!offset)
        return done(refused());
    backend.setRit(*offset, status(done));
}

void runChecked(const RigctlRequest &request, RigBackend &backend, const Done &done)
{
    const RigVfo vfo
        = request.vfoGiven ? *RigTokens::vfoFromName(request.args[0]) : RigVfo::Current;
    const QByteArrayList args = request.vfoGiven ? request.args.mid(1) : request.args;
    switch (request.command->op) {
    case RigctlOp::GetFreq:
        return getFreq(vfo, backend, done);
    case RigctlOp::SetFreq:
        return setFreq(vfo, args[0], backend, done);
    case RigctlOp::GetMode:
        return getMode(backend, done);
    case RigctlOp::SetMode:
        return setMode(args, backend, done);
    case RigctlOp::GetVfo:
        return getVfo(backend, done);
    case RigctlOp::SetVfo:
        return setVfo(args[0], backend, done);
    case RigctlOp::GetSplitVfo:
        return getSplit(backend, done);
    case RigctlOp::SetSplitVfo:
        return setSplit(args, backend, done);
    case RigctlOp::GetPtt:
        return backend.getPtt(
            [done](RigError error, bool on) { done(values(error, {on ? "1" : "0"})); });
    case RigctlOp::SetPtt:
        return setPtt(args[0], backend, done);
    case RigctlOp::GetRit:
        return backend.getRit(
            [done](RigError error, int hz) { done(values(error, {QByteArray::number(hz)})); });
    case RigctlOp::SetRit:
        return setRit(args[0], backend, done);
    case RigctlOp::GetPowerstat:
        return backend.getPowerState([done](RigError error, RigPower power) {
            done(values(error, {QByteArray::number(int(power))}));
        });
    case RigctlOp::ChkVfo:
    case RigctlOp::GetLockMode:
        return done({RigError::Ok, {"0"}}); // no VFO mode, no mode lock
    case RigctlOp::SendMorse:
        return backend.sendMorse(args[0], status(done));
    case RigctlOp::StopMorse:
        return backend.stopMorse(status(done));
    case RigctlOp::DumpState:
        return done({RigError::Ok, RigDump::stateLines()});
    case RigctlOp::DumpCaps:
        return done({RigError::Ok, RigDump::capsLines()});
    case RigctlOp::Quit:
        return done({RigError::Ok, {}});
    }
    done(refused(RigError::Internal));
}

} // namespace

void run(const RigctlRequest &request, RigBackend &backend, const Done &done)
{
    if (!request.command || request.error != RigError::Ok)
        return done(refused(request.error));
    runChecked(request, backend, done);
}

std::optional<RigQuery> query(const RigctlRequest &request)
{
    if (!request.command || request.error != RigError::Ok)
        return std::nullopt;
    switch (request.command->op) {
    case RigctlOp::GetFreq:
        return RigQuery::Frequency;
    case RigctlOp::GetMode:
        return RigQuery::Mode;
    case RigctlOp::GetVfo:
        return RigQuery::Vfo;
    case RigctlOp::GetSplitVfo:
        return RigQuery::Split;
    case RigctlOp::GetPtt:
        return RigQuery::Ptt;
    case RigctlOp::GetRit:
        return RigQuery::Rit;
    case RigctlOp::GetPowerstat:
        return RigQuery::PowerState;
    default:
        return std::nullopt;
    }
}

} // namespace RigctlExecutor

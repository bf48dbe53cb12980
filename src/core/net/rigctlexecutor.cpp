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
    // Hamlib's rigctld takes a frequency of 0 (fldigi sends "F 0") as nothing to do.
    bool zero = false;
    if (arg.toDouble(&zero) == 0 && zero)
        return done({RigError::Ok, {}});
    const auto hz = frequencyArg(arg);
    if (!hz)
        return done(refused());
    backend.setFrequency(vfo, *hz, status(done));
}

struct ModeArgs
{
    RigMode mode;
    std::optional<int> passband;
};

// A mode and passband as set_mode takes them; nullopt when they do not fit.
std::optional<ModeArgs> modeArgs(const QByteArray &name, const QByteArray &passband)
{
    const auto mode = RigTokens::settableModeFromName(name);
    const auto width = intArg(passband, -1, std::numeric_limits<int>::max());
    if (!mode || !width)
        return std::nullopt;
    return ModeArgs {*mode, RigCaps::resolvePassband(*mode, *width)};
}

void setMode(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    if (args[0] == "?")
        return done({RigError::Ok, {RigTokens::modeNames().join(' ')}});
    const auto mode = modeArgs(args[0], args[1]);
    if (!mode)
        return done(refused());
    backend.setMode(mode->mode, mode->passband, status(done));
}

QByteArrayList modeValues(RigModeWidth mw)
{
    return {RigTokens::modeName(mw.mode), QByteArray::number(mw.passbandHz)};
}

void getSplitFreqMode(RigBackend &backend, const Done &done)
{
    const quint64 client = backend.requester();
    backend.getSplitFrequency([&backend, done, client](RigError error, qint64 hz) {
        if (error != RigError::Ok)
            return done(refused(error));
        backend.setRequester(client);
        backend.getMode([done, hz](RigError error, RigModeWidth mw) {
            done(values(error, QByteArrayList {QByteArray::number(hz)} + modeValues(mw)));
        });
    });
}

// The transmit frequency first: when it fails the mode is left as it was.
void setSplitFreqMode(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    const auto hz = frequencyArg(args[0]);
    const auto mode = modeArgs(args[1], args[2]);
    if (!hz || !mode)
        return done(refused());
    const quint64 client = backend.requester();
    backend.setSplitFrequency(*hz, [&backend, done, client, mode = *mode](RigError error) {
        if (error != RigError::Ok)
            return done(refused(error));
        backend.setRequester(client);
        backend.setMode(mode.mode, mode.passband, status(done));
    });
}

// "?" lists the names, each followed by a blank, as rigctld does.
QByteArray nameList(const QByteArrayList &names)
{
    QByteArray text;
    for (const QByteArray &name : names)
        text += name + ' ';
    return text;
}

QByteArray levelText(RigLevel level, double value)
{
    if (RigTokens::levelIsFloat(level))
        return QByteArray::number(value, 'f', 6);
    return QByteArray::number(qint64(std::llround(value)));
}

void getLevel(const QByteArray &arg, RigBackend &backend, const Done &done)
{
    if (arg == "?")
        return done({RigError::Ok, {nameList(RigCaps::levelNames(false))}});
    const auto level = RigTokens::levelFromName(arg);
    if (!level || !RigCaps::servesLevel(*level))
        return done(refused());
    backend.getLevel(*level, [done, level = *level](RigError error, double value) {
        done(values(error, {levelText(level, value)}));
    });
}

void setLevel(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    if (args[0] == "?")
        return done({RigError::Ok, {nameList(RigCaps::levelNames(true))}});
    const auto level = RigTokens::levelFromName(args[0]);
    if (!level || !RigCaps::servesLevel(*level) || RigTokens::levelIsReadOnly(*level))
        return done(refused());
    bool ok = false;
    const double value
        = RigTokens::levelIsFloat(*level) ? args[1].toDouble(&ok) : double(args[1].toInt(&ok));
    if (!ok || !std::isfinite(value))
        return done(refused());
    backend.setLevel(*level, value, status(done));
}

void getFunc(const QByteArray &arg, RigBackend &backend, const Done &done)
{
    if (arg == "?")
        return done({RigError::Ok, {nameList(RigCaps::funcNames())}});
    const auto func = RigTokens::funcFromName(arg);
    if (!func || !RigCaps::servesFunc(*func))
        return done(refused());
    backend.getFunc(
        *func, [done](RigError error, int on) { done(values(error, {QByteArray::number(on)})); });
}

void setFunc(const QByteArrayList &args, RigBackend &backend, const Done &done)
{
    if (args[0] == "?")
        return done({RigError::Ok, {nameList(RigCaps::funcNames())}});
    const auto func = RigTokens::funcFromName(args[0]);
    const auto on = intArg(args[1], 0, std::numeric_limits<int>::max());
    if (!func || !RigCaps::servesFunc(*func) || !on)
        return done(refused());
    backend.setFunc(*func, *on, status(done));
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
    // The radio's mode is common to both VFOs: the split mode is the mode.
    case RigctlOp::GetMode:
    case RigctlOp::GetSplitMode:
        return backend.getMode(
            [done](RigError error, RigModeWidth mw) { done(values(error, modeValues(mw))); });
    case RigctlOp::SetMode:
    case RigctlOp::SetSplitMode:
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
    case RigctlOp::GetSplitFreq:
        return backend.getSplitFrequency(
            [done](RigError error, qint64 hz) { done(values(error, {QByteArray::number(hz)})); });
    case RigctlOp::SetSplitFreq: {
        const auto hz = frequencyArg(args[0]);
        if (!hz)
            return done(refused());
        return backend.setSplitFrequency(*hz, status(done));
    }
    case RigctlOp::GetSplitFreqMode:
        return getSplitFreqMode(backend, done);
    case RigctlOp::SetSplitFreqMode:
        return setSplitFreqMode(args, backend, done);
    case RigctlOp::GetLevel:
        return getLevel(args[0], backend, done);
    case RigctlOp::SetLevel:
        return setLevel(args, backend, done);
    case RigctlOp::GetFunc:
        return getFunc(args[0], backend, done);
    case RigctlOp::SetFunc:
        return setFunc(args, backend, done);
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

std::optional<bool> freshness(const RigctlRequest &request, const RigBackend &backend)
{
    if (!request.command || request.error != RigError::Ok)
        return std::nullopt;
    const auto fresh = [&backend](RigQuery query) { return std::optional(backend.isFresh(query)); };
    switch (request.command->op) {
    case RigctlOp::GetLevel: {
        const auto level = RigTokens::levelFromName(request.args.value(0));
        return level ? std::optional(backend.isLevelFresh(*level)) : std::nullopt;
    }
    case RigctlOp::GetFunc: {
        const auto func = RigTokens::funcFromName(request.args.value(0));
        return func ? std::optional(backend.isFuncFresh(*func)) : std::nullopt;
    }
    case RigctlOp::GetSplitFreq:
    case RigctlOp::GetFreq:
        return fresh(RigQuery::Frequency);
    case RigctlOp::GetSplitFreqMode:
        return backend.isFresh(RigQuery::Frequency) && backend.isFresh(RigQuery::Mode);
    case RigctlOp::GetMode:
    case RigctlOp::GetSplitMode:
        return fresh(RigQuery::Mode);
    case RigctlOp::GetVfo:
        return fresh(RigQuery::Vfo);
    case RigctlOp::GetSplitVfo:
        return fresh(RigQuery::Split);
    case RigctlOp::GetPtt:
        return fresh(RigQuery::Ptt);
    case RigctlOp::GetRit:
        return fresh(RigQuery::Rit);
    case RigctlOp::GetPowerstat:
        return fresh(RigQuery::PowerState);
    default:
        return std::nullopt;
    }
}

} // namespace RigctlExecutor

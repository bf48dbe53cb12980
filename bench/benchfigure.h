// One line of the performance table: "name: value (target) met" or "... missed". Every
// benchmark prints its figures this way besides its detail, and bench/run.sh gathers the lines.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

struct BenchTarget
{
    enum Kind { AtMost, Under, AtLeast, Exactly };
    Kind kind = AtMost;
    double bound = 0;

    static BenchTarget atMost(double bound) { return {AtMost, bound}; }
    static BenchTarget under(double bound) { return {Under, bound}; }
    static BenchTarget atLeast(double bound) { return {AtLeast, bound}; }
    static BenchTarget exactly(double bound) { return {Exactly, bound}; }

    bool metBy(double value) const
    {
        switch (kind) {
        case AtMost:
            return value <= bound;
        case Under:
            return value < bound;
        case AtLeast:
            return value >= bound;
        case Exactly:
            return value == bound;
        }
        return false;
    }

    const char *words() const
    {
        static const char *const Words[] = {"at most", "under", "at least", "exactly"};
        return Words[kind];
    }
};

// Prints the figure with the given number of decimals and unit ("ms", "%", "" for none) and
// returns whether the target was met. A value that could not be measured (NaN, or negative
// with failed set) is printed as "none" and counts as missed.
inline bool printFigure(const char *name, double value, int decimals, const char *unit,
                        BenchTarget target, bool failed = false)
{
    const QByteArray space = *unit ? " " : "";
    const bool measured = !failed && value == value;
    const bool met = measured && target.metBy(value);
    const QByteArray shown
        = measured ? QByteArray::number(value, 'f', decimals) + space + unit : QByteArray("none");
    const QByteArray bound = QByteArray::number(target.bound, 'f', decimals) + space + unit;
    std::printf("%s: %s (%s %s) %s\n", name, shown.constData(), target.words(), bound.constData(),
                met ? "met" : "missed");
    std::fflush(stdout);
    return met;
}

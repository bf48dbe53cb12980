// The CSV readers: CHIRP's channel lists for the memory table and the band list, and the
// comma-separated text under them. The first byte chooses the reader. Rules: nothing crashes;
// a refused file gives no rows and names a line that is in it; text and channel lists taken,
// written out again, read back unchanged.
#include "core/exchange/bandcsv.h"
#include "core/exchange/chirpcsv.h"
#include "core/exchange/csvtext.h"
#include "core/exchange/memorycsv.h"
#include "fuzz/fuzzcheck.h"

namespace {

void checkProblem(const std::optional<FileProblem> &problem, const QByteArray &bytes)
{
    require(problem->line >= 0 && problem->line <= bytes.count('\n') + bytes.count('\r') + 1,
            "a refusal names a line of the file");
    require(!problem->text.isEmpty(), "a refusal says what is wrong");
}

bool sameChannels(const QList<ChirpCsv::Channel> &a, const QList<ChirpCsv::Channel> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].location != b[i].location || a[i].name != b[i].name || a[i].hz != b[i].hz
            || a[i].comment != b[i].comment || a[i].mode != b[i].mode)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (data[0] % 4) {
    case 0: {
        const MemoryCsv::Import in = MemoryCsv::read(bytes, 100);
        if (in.problem) {
            require(in.rows.isEmpty(), "a refused file gives no rows");
            checkProblem(in.problem, bytes);
        }
        break;
    }
    case 1: {
        const BandCsv::Import in = BandCsv::read(bytes);
        if (in.problem) {
            require(in.rows.isEmpty(), "a refused file gives no rows");
            checkProblem(in.problem, bytes);
        }
        break;
    }
    case 2: {
        const ChirpCsv::Read in = ChirpCsv::read(bytes);
        if (in.problem) {
            require(in.channels.isEmpty(), "a refused file gives no channels");
            checkProblem(in.problem, bytes);
            break;
        }
        const ChirpCsv::Read again = ChirpCsv::read(ChirpCsv::write(in.channels));
        require(!again.problem, "channels taken are written as a file that is taken");
        require(sameChannels(again.channels, in.channels), "and read back unchanged");
        break;
    }
    default: {
        const CsvRead in = CsvText::read(QString::fromUtf8(bytes));
        if (in.problem) {
            checkProblem(in.problem, bytes);
            break;
        }
        QString text;
        for (const CsvRecord &record : in.records)
            text += CsvText::line(record.cells) + QLatin1Char('\n');
        const CsvRead again = CsvText::read(text);
        require(!again.problem, "records taken are written as text that is taken");
        require(again.records.size() == in.records.size(), "as many records again");
        for (qsizetype i = 0; i < in.records.size(); ++i)
            require(again.records[i].cells == in.records[i].cells, "with the same cells");
        break;
    }
    }
    return 0;
}

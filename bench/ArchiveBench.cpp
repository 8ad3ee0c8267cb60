#include "platform/Archive.h"

#include <benchmark/benchmark.h>

// Command files and images are read and written through the archive: one
// command-sized record per iteration.
static void BM_ArchiveRecordRoundTrip(benchmark::State& state)
{
    const QString text(QStringLiteral("Updating Cardholders on A1"));
    const QByteArray payload(64, '\x5A');
    for (auto _ : state) {
        ArchiveWriter writer;
        for (int i = 0; i < 4; ++i)
            writer.WriteString(text);
        writer.WriteDWord(7);
        writer.WriteDWord(12000);
        writer.WriteByte(5);
        writer.WriteDWord(static_cast<std::uint32_t>(payload.size()));
        writer.WriteBytes(payload);
        ArchiveReader reader(writer.Bytes());
        QString s;
        std::uint32_t v = 0;
        QByteArray bytes;
        for (int i = 0; i < 4; ++i)
            reader.ReadString(s);
        reader.ReadDWord(v);
        reader.ReadDWord(v);
        std::uint8_t b = 0;
        reader.ReadByte(b);
        reader.ReadDWord(v);
        reader.ReadBytes(v, bytes);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ArchiveRecordRoundTrip);

// Feeds arbitrary output, cut into arbitrary chunks, to every reader of the
// tool's texts. Byte 0 picks the chunk size; the rest is the tool's output.
#include "core/devices/DiskLayout.h"
#include "core/jobs/GameIdentity.h"
#include "core/output/Parsers.h"
#include "core/output/ToolErrors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int chunk = 1 + data[0] * 17;
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1),
                                             static_cast<qsizetype>(size - 1));

    // Streams, as the pipe delivers them.
    parse::ProgressStream progress;
    ToolErrorScanner errors;
    qsizetype kept = 0;
    for (qsizetype at = 0; at < text.size(); at += chunk) {
        const QString piece = text.mid(at, chunk);
        if (const auto record = progress.feed(piece)) {
            if (const auto r = parse::ParseProgressRecord(*record))
                kept += r->percentText.size();
        }
        errors.feed(piece);
    }
    kept += static_cast<qsizetype>(errors.first());

    // Whole outputs, as the lists read them.
    for (const QString& line : parse::SplitLines(text)) {
        if (const auto g = parse::ParseGameLine(line))
            kept += g->title.size();
        if (const auto s = parse::ParseSpaceLine(line))
            kept += s->text.size();
        if (const auto d = parse::ParseDiskLine(line))
            kept += d->device.size();
        if (const auto o = parse::ParseOpticalLine(line))
            kept += o->device.size();
    }
    if (const auto info = parse::FindDiscInfo(text))
        kept += info->name.size();
    // A listing and its partitions, paired as a session pairs them.
    parse::GameTable table = parse::ParseGameTable(text);
    const parse::PartitionTable toc = parse::ParsePartitionTable(text);
    AttachPartitions(table.games, toc);
    for (const parse::GameRow& g : table.games)
        kept += g.partition.size() + (table.understood() ? 1 : 0);
    kept += static_cast<qsizetype>(parse::ParseToolCommands(text).size());
    kept += LastMeaningfulLine(text).size();
    kept += static_cast<qsizetype>(RecogniseToolError(text));

    // The same bytes as a disk's sectors (the disk said to be larger than what can be read)
    // and as a partition table backup.
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));
    const layout::ReadBytes read = [&bytes](qint64 at, qint64 length) {
        return at < 0 || at >= bytes.size() ? QByteArray() : bytes.mid(at, length);
    };
    const qint64 claimed = static_cast<qint64>(bytes.size()) << (data[0] % 24);
    const layout::DiskLayout disk = layout::ReadDiskLayout(claimed, read, true, 4096);
    kept += disk.partitions.size() + disk.games.size() + (disk.sound() ? 1 : 0);
    kept += layout::ReadDiskHead(claimed, read).apaEndBytes > 0 ? 1 : 0;
    const layout::TocBackup backup = layout::ReadTocBackup(bytes);
    kept += backup.partitions.size() + layout::BackupIdentity(bytes).size();
    return kept < 0 ? 1 : 0;
}

#include "CliSupport.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace cli {

void writeOut(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeErr(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

bool isAddress(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3}){3}$"));
    return re.match(text).hasMatch();
}

TargetKind kindOf(const QString& target)
{
    return isAddress(target) ? TargetKind::Network : TargetKind::LocalDisk;
}

bool isDrive(const QString& source)
{
    static const QRegularExpression re(QStringLiteral("^(cd[0-9]+:|/dev/)"));
    return re.match(source).hasMatch();
}

// A path the caller typed, read from the caller's folder: the tool runs in a folder of its own.
QString callersPath(const QString& path)
{
    return isDrive(path) ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace cli

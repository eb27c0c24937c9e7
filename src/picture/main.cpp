// ventrik-picture IN OUT WIDTH HEIGHT: a picture of any kind Qt reads, scaled to fit the size
// (its proportions kept), written as PNG. Exit status 0 when OUT was written, else 1 with the
// reason on standard error.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <cstdio>

namespace {
int fail(const QString& why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return fail(QStringLiteral("usage: ventrik-picture IN OUT WIDTH HEIGHT"));
    bool wideOk = false;
    bool highOk = false;
    const int width = args[3].toInt(&wideOk);
    const int height = args[4].toInt(&highOk);
    if (!wideOk || !highOk || width < 1 || height < 1 || width > 4096 || height > 4096)
        return fail(QStringLiteral("the size must be two numbers from 1 to 4096"));
    QImageReader reader(args[1]);
    // A picture claiming to be huge is refused before its pixels are decoded.
    QImageReader::setAllocationLimit(256);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return fail(QStringLiteral("%1 is no picture that can be read: %2")
                        .arg(args[1], reader.errorString()));
    const QImage scaled = image.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                       : QImage::Format_RGB32);
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || !scaled.save(&out, "PNG") || !out.commit())
        return fail(QStringLiteral("%1 could not be written").arg(args[2]));
    return 0;
}

#ifndef QPDFPAGES_H
#define QPDFPAGES_H

// The pages of a PDF file as qpdf reads them: each page's MediaBox, the
// CMYK fills ("c m y k k") and RGB fills ("r g b rg") of its content
// stream and its rectangles ("x y w
// h re", then "f" filled or "S" stroked), in drawing order. qpdf
// uncompresses the file into its QDF form, which marks every page and every
// page's contents with a comment line.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>
#include <vector>

struct QpdfRectangle {
    double x, y, width, height;
    bool stroked;
};

struct QpdfPage {
    QList<double> mediaBox;
    std::vector<std::array<double, 4>> cmykFills;
    std::vector<std::array<double, 3>> rgbFills;
    std::vector<QpdfRectangle> rectangles;
};

// Empty when qpdf cannot read the file.
inline std::vector<QpdfPage> qpdfPages(const QString& pdfPath)
{
    QTemporaryDir folder;
    const QString qdfPath = folder.filePath("pages.qdf");
    if (QProcess::execute("qpdf", {"--qdf", "--object-streams=disable", pdfPath, qdfPath}) != 0)
        return {};
    QFile file(qdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());

    std::vector<QpdfPage> pages;
    static const QRegularExpression number(QStringLiteral("-?[0-9.]+"));
    static const QRegularExpression fill(QStringLiteral("^([0-9.]+) ([0-9.]+) ([0-9.]+) ([0-9.]+) k$"),
                                         QRegularExpression::MultilineOption);
    for (int page = 1;; ++page) {
        const int object = text.indexOf(QStringLiteral("%% Page %1\n").arg(page));
        const int contents = text.indexOf(QStringLiteral("%% Contents for page %1\n").arg(page));
        if (object < 0 || contents < 0)
            break;
        QpdfPage result;
        const int box = text.indexOf("/MediaBox [", object);
        const QString boxText = text.mid(box, text.indexOf(']', box) - box);
        for (auto it = number.globalMatch(boxText); it.hasNext();)
            result.mediaBox << it.next().captured(0).toDouble();
        const QString stream = text.mid(contents, text.indexOf("endstream", contents) - contents);
        for (auto it = fill.globalMatch(stream); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            result.cmykFills.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                        m.captured(4).toDouble()});
        }
        static const QRegularExpression rgbFill(QStringLiteral("^([0-9.]+) ([0-9.]+) ([0-9.]+) rg$"),
                                                QRegularExpression::MultilineOption);
        for (auto it = rgbFill.globalMatch(stream); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            result.rgbFills.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
        }
        static const QRegularExpression rectangle(
            QStringLiteral("^(-?[0-9.]+) (-?[0-9.]+) ([0-9.]+) ([0-9.]+) re\n([fS])$"), QRegularExpression::MultilineOption);
        for (auto it = rectangle.globalMatch(stream); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            result.rectangles.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                         m.captured(4).toDouble(), m.captured(5) == "S"});
        }
        pages.push_back(result);
    }
    return pages;
}

#endif

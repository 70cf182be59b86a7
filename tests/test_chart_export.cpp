// The chart's exports and its command-line tool: the PostScript page byte
// for byte and rendered back by Ghostscript, failures that keep the old
// file, the target file read back by LittleCMS, the print layout's PDF
// pages read back by qpdf, and tintora-chart.

#include "ChartConversions.h"
#include "ChartGrid.h"
#include "ChartLayout.h"
#include "ChartPatchColours.h"
#include "ChartPdf.h"
#include "ChartPostScript.h"
#include "EventLimits.h"
#include "KxChartPointList.h"

#include <ExportISO12642.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxSupport.h>

#include "ExportTargets.h"
#include "QpdfPages.h"
#include "SpecialFiles.h"

#include <QtTest>

#include <lcms2.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

void appendInks(KxChartPointList& list, unsigned char k, unsigned char c, unsigned char m, unsigned char y)
{
    list.append()->setInkBytes(c, m, y, k);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void generate(unsigned long count, KxChartPointList& chart)
{
    ChartConversions conversions;
    QVERIFY(conversions.openForGeneration(DEFAULT_CMYK, nullptr));
    QCOMPARE(ChartGrid::generate(&chart.first, conversions.profile(), nullptr, count, [](const char*) {}), 0);
}

QString chartTool()
{
    return QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart");
}

} // namespace

class TestChartExport : public QObject
{
    Q_OBJECT

    QTemporaryDir specialFolder;

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
    }

    void postScriptPageByteForByte()
    {
        KxChartPointList chart;
        appendInks(chart, 255, 0, 0, 0);
        for (int i = 1; i < 20; ++i)
            appendInks(chart, 0, 255, static_cast<unsigned char>(i), 51);
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.ps");
        const std::time_t created = 1796720000;
        QVERIFY(ChartPostScript::write(chart.first, QFile::encodeName(path).constData(), created));

        char date[64];
        QVERIFY(ctime_r(&created, date));
        QByteArray expected = "%!PS-Adobe-3.0\n"
                              "%%Creator: Quenwick Tintora version 1.2\n"
                              "%%Title: Colour check chart\n"
                              "%%For: Quenwick Tintora\n"
                              "%%CreationDate: ";
        expected += date; // ends with its own newline
        expected += "%%BoundingBox: 0 0 648 88\n"
                    "%%EndComments\n"
                    "%%BeginSetup\n"
                    "systemdict /setpagedevice known { <<\n"
                    "/Policies <</PageSize 6>>\n"
                    "/PageSize [648 88]\n"
                    ">> setpagedevice } if\n"
                    "%%EndSetup\n"
                    "%%Page: 1 1\n"
                    "/DeviceCMYK setcolorspace\n"
                    "0.000000 0.000000 0.000000 1.000000 setcolor\n"
                    "8 48 32 32 rectfill\n";
        for (int i = 1; i < 20; ++i) {
            expected += QByteArray("1.000000 ") + QByteArray::number(i / 255.0, 'f', 6) + " 0.200000 0.000000 setcolor\n";
            expected += QByteArray::number(8 + 40 * (i % 16)) + (i < 16 ? " 48" : " 8") + " 32 32 rectfill\n";
        }
        expected += "\nshowpage\n%%PageTrailer\n%%EOF\n";
        QCOMPARE(readAll(path), expected);
    }

    void pageGeometry()
    {
        QCOMPARE(ChartLayout::pageHeight(16), 48UL);
        QCOMPARE(ChartLayout::pageY(15, 16), 8);
        QCOMPARE(ChartLayout::pageX(15), 608);
        QCOMPARE(ChartLayout::pageHeight(64), 168UL);
        QCOMPARE(ChartLayout::pageY(0, 64), 128);
        QCOMPARE(ChartLayout::pageY(63, 64), 8);
    }

    // A page that cannot be put in place is reported and leaves what was there.
    void failedPageKeepsWhatWasThere()
    {
        KxChartPointList chart;
        appendInks(chart, 255, 0, 0, 0);
        QTemporaryDir folder;
        QVERIFY(!ChartPostScript::write(chart.first, QFile::encodeName(folder.filePath("missing/chart.ps")).constData(), 0));
        const QString occupied = folder.filePath("occupied");
        QVERIFY(QDir(folder.path()).mkdir("occupied"));
        QFile inside(occupied + "/keep.txt");
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("kept");
        inside.close();
        QVERIFY(!ChartPostScript::write(chart.first, QFile::encodeName(occupied).constData(), 0));
        QVERIFY(QFileInfo(occupied).isDir());
        QCOMPARE(readAll(occupied + "/keep.txt"), QByteArray("kept"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"occupied"});
    }

    // Ghostscript renders the 64-patch page to 8-bit CMYK; every patch centre
    // carries the chart's inks.
    void ghostscriptRendersThePatches()
    {
        KxChartPointList chart;
        generate(64, chart);
        QTemporaryDir folder;
        const QString page = folder.filePath("chart.ps");
        const QString raster = folder.filePath("chart.cmyk");
        QVERIFY(ChartPostScript::write(chart.first, QFile::encodeName(page).constData(), std::time(nullptr)));
        QProcess gs;
        gs.start("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=bitcmyk", "-dGrayValues=256", "-r72",
                        "-sOutputFile=" + raster, page});
        QVERIFY(gs.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(gs.exitCode(), 0);
        const QByteArray pixels = readAll(raster);
        const int width = 648, height = 168;
        QCOMPARE(pixels.size(), width * height * 4);
        unsigned long i = 0;
        for (const KxChartPoint* p = chart.first; p; p = p->next, ++i) {
            const int x = ChartLayout::screenX(i) + 16, y = ChartLayout::screenY(i) + 16;
            const auto* pixel = reinterpret_cast<const unsigned char*>(pixels.constData()) + 4 * (y * width + x);
            const int expected[4] = {p->cmyk[1], p->cmyk[2], p->cmyk[3], p->cmyk[0]}; // C, M, Y, K
            for (int c = 0; c < 4; ++c)
                QVERIFY2(std::abs(pixel[c] - expected[c]) <= 1,
                         qPrintable(QString("patch %1 channel %2: %3 for %4").arg(i).arg(c).arg(pixel[c]).arg(expected[c])));
        }
        // The margin between patches stays unprinted.
        const auto* gap = reinterpret_cast<const unsigned char*>(pixels.constData()) + 4 * (4 * width + 4);
        QCOMPARE(int(gap[0]) + gap[1] + gap[2] + gap[3], 0);
    }

    void targetFileReadsBack()
    {
        KxChartPointList chart;
        generate(64, chart);
        KxCOMBOCOLOUR_CC colours;
        QVERIFY(ChartPatchColours::collect(chart.first, colours));
        QCOMPARE(colours.count(), 64UL);
        QTemporaryDir folder;
        const std::string path = QFile::encodeName(folder.filePath("chart.cgats")).toStdString();
        QVERIFY(ExportISO12642::exportColours(path, nullptr, colours, icSigLabData));

        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, path.c_str());
        QVERIFY(it8);
        QCOMPARE(int(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS")), 64);
        int n = 0;
        for (const KxChartPoint* p = chart.first; p; p = p->next, ++n) {
            QCOMPARE(QString(cmsIT8GetData(it8, std::to_string(n + 1).c_str(), "SAMPLE_NAME")),
                     QString::asprintf("Patch %04d", n + 1));
            QVERIFY(std::fabs(cmsIT8GetDataRowColDbl(it8, n, cmsIT8FindDataFormat(it8, "LAB_L")) - p->labD50[0]) < 1e-4);
            QVERIFY(std::fabs(cmsIT8GetDataRowColDbl(it8, n, cmsIT8FindDataFormat(it8, "LAB_B")) - p->labD50[2]) < 1e-4);
        }
        cmsIT8Free(it8);

        // Argyll reads it too: colverify pairs its sets with the chart's own
        // D50 Lab by SAMPLE_ID and finds no difference.
        QByteArray reference = "CGATS.17\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\n"
                               "END_DATA_FORMAT\nNUMBER_OF_SETS 64\nBEGIN_DATA\n";
        n = 0;
        for (const KxChartPoint* p = chart.first; p; p = p->next)
            reference += QString::asprintf("%d %.6f %.6f %.6f\n", ++n, p->labD50[0], p->labD50[1], p->labD50[2]).toLatin1();
        reference += "END_DATA\n";
        const QString referencePath = folder.filePath("reference.cgats");
        QVERIFY(SpecialFiles::writeFile(referencePath, reference));
        const QString colverify = QStandardPaths::findExecutable("colverify");
        QVERIFY2(!colverify.isEmpty(), "Argyll's colverify is set up by the setup script");
        QProcess run;
        run.start(colverify, {"-v2", QString::fromStdString(path), referencePath});
        QVERIFY(run.waitForFinished(EventLimits::EVENT_MS));
        const QString output = QString::fromLocal8Bit(run.readAllStandardOutput() + run.readAllStandardError());
        QVERIFY2(run.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains("No of test patches = 64"), qPrintable(output));
        const QRegularExpressionMatch peak = QRegularExpression("Total errors:\\s+peak = ([0-9.]+)").match(output);
        QVERIFY2(peak.hasMatch() && peak.captured(1).toDouble() < 1e-3, qPrintable(output));
    }

    void collectingRunsOutOfMemory()
    {
        KxChartPointList chart;
        appendInks(chart, 1, 2, 3, 4);
        appendInks(chart, 1, 2, 3, 4);
        KxCOMBOCOLOUR_CC colours;
        KxDiagnosticFailAllocation(3); // the second record
        QVERIFY(!ChartPatchColours::collect(chart.first, colours));
        KxDiagnosticFailAllocation(0);
        QCOMPARE(colours.count(), 1UL);
    }

    // The print layout on named and custom paper, read back by qpdf: the
    // paper size of every page, the page count (worked out by hand from the
    // default sizes: 10 mm patches, 2 mm gaps, 10 mm margins, a 16 mm header,
    // 5 mm of column numbers and 8 mm of row letters), and every patch's
    // DeviceCMYK fill, in patch order across the pages, equal to its inks.
    void printLayoutPages_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("patches");
        QTest::addColumn<double>("widthPoints");
        QTest::addColumn<double>("heightPoints");
        QTest::addColumn<int>("pages");
        // A4: 15 columns x 21 rows; Letter: 15 x 20; 100 x 150 mm: 6 x 9.
        const struct {
            const char* paper;
            double width, height;
            int perPage;
        } papers[] = {{"A4", 595.2756, 841.8898, 315}, {"Letter", 612, 792, 300}, {"100x150", 283.4646, 425.1969, 54}};
        for (const auto& paper : papers)
            for (int patches : {8, 64, 512})
                QTest::addRow("%s %d", paper.paper, patches) << paper.paper << patches << paper.width << paper.height
                                                             << (patches + paper.perPage - 1) / paper.perPage;
    }

    void printLayoutPages()
    {
        QFETCH(QString, paper);
        QFETCH(int, patches);
        QFETCH(double, widthPoints);
        QFETCH(double, heightPoints);
        QFETCH(int, pages);
        KxChartPointList chart;
        std::vector<std::array<int, 4>> inks; // C, M, Y, K bytes
        for (int i = 0; i < patches; ++i) {
            inks.push_back({(i * 7) % 256, (i * 13 + 5) % 256, (i * 29 + 11) % 256, (i * 3 + 255) % 256});
            appendInks(chart, inks.back()[3], inks.back()[0], inks.back()[1], inks.back()[2]);
        }
        ChartPrintSettings settings;
        std::string whyNot;
        QVERIFY(ChartPaper::fromText(paper.toStdString(), settings.paper, whyNot));
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.pdf");
        QVERIFY(ChartPdf::write(chart.first, settings, {"Chart", "Profil für Drucke.icc", 1796720000, {}},
                                QFile::encodeName(path).constData()));

        const std::vector<QpdfPage> read = qpdfPages(path);
        QCOMPARE(int(read.size()), pages);
        int patch = 0;
        for (const QpdfPage& page : read) {
            QCOMPARE(page.mediaBox.size(), 4);
            QCOMPARE(page.mediaBox[0], 0.0);
            QCOMPARE(page.mediaBox[1], 0.0);
            QVERIFY(qAbs(page.mediaBox[2] - widthPoints) < 0.001);
            QVERIFY(qAbs(page.mediaBox[3] - heightPoints) < 0.001);
            QVERIFY(!page.cmykFills.empty());
            for (const std::array<double, 4>& fill : page.cmykFills) {
                QVERIFY(patch < patches);
                for (int ink = 0; ink < 4; ++ink)
                    QVERIFY2(qAbs(fill[ink] - inks[patch][ink] / 255.0) < 1e-5,
                             qPrintable(QString("patch %1 ink %2: %3").arg(patch).arg(ink).arg(fill[ink])));
                ++patch;
            }
        }
        QCOMPARE(patch, patches);
    }

    // A paper patch (no ink) is outlined by a hairline that lies wholly in
    // the gap around it: outside the patch and clear of its neighbours.
    // Patches with ink are not outlined.
    void paperPatchOutlined_data()
    {
        QTest::addColumn<double>("gapMm");
        QTest::newRow("default gap") << ChartPrintSettings::DEFAULT_GAP_MM;
        QTest::newRow("1 mm gap") << 1.0;
    }

    void paperPatchOutlined()
    {
        QFETCH(double, gapMm);
        KxChartPointList chart;
        appendInks(chart, 0, 200, 0, 0);
        appendInks(chart, 0, 0, 0, 0); // paper
        appendInks(chart, 255, 0, 0, 0);
        ChartPrintSettings settings;
        settings.gapMm = gapMm;
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.pdf");
        QVERIFY(ChartPdf::write(chart.first, settings, {"Chart", "p.icc", 1796720000, {}},
                                QFile::encodeName(path).constData()));
        const std::vector<QpdfPage> pages = qpdfPages(path);
        QCOMPARE(pages.size(), std::size_t(1));
        std::vector<QpdfRectangle> filled, stroked;
        for (const QpdfRectangle& rectangle : pages[0].rectangles)
            (rectangle.stroked ? stroked : filled).push_back(rectangle);
        QCOMPARE(filled.size(), std::size_t(3));
        QCOMPARE(stroked.size(), std::size_t(1));
        const QpdfRectangle& paper = filled[1];
        const QpdfRectangle& outline = stroked[0];
        const double gap = gapMm * 72 / 25.4;
        const double hairline = 0.25; // points, half on either side of the path; the file gives 5 decimals
        const double inside = paper.x - outline.x - hairline / 2; // from the patch to the line's inner edge
        const double outside = paper.x - outline.x + hairline / 2; // to its outer edge
        QVERIFY2(inside > 0 && outside <= gap / 2 + 1e-3, qPrintable(QString("%1 .. %2 of %3").arg(inside).arg(outside).arg(gap)));
        QVERIFY(qAbs((outline.y + outline.height) - (paper.y + paper.height) - (paper.x - outline.x)) < 1e-3);
        QVERIFY(qAbs(outline.width - paper.width - 2 * (paper.x - outline.x)) < 1e-3);
        QVERIFY(qAbs(outline.height - outline.width) < 1e-3);
    }

    void chartToolWritesPageAndTarget()
    {
        QTemporaryDir folder;
        QProcess tool;
        tool.start(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "16", "--ps", folder.filePath("c.ps"),
                                 "--cgats", folder.filePath("c.cgats")});
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), 0);
        const QByteArray out = tool.readAllStandardOutput();
        QVERIFY(out.startsWith("all done: 6560 patches created 0 skipped\nforward rough cull: Tolerance 2.000000,"));
        QVERIFY(out.endsWith("patches left = 16\n"));
        QCOMPARE(readAll(folder.filePath("c.ps")).count("rectfill"), 16);
        QVERIFY(readAll(folder.filePath("c.cgats")).contains("\"Patch 0016\""));
    }

    // Profiling charts: the command line culls up to 3,000 patches (the
    // window's dialog stops at 512); with --controls the paper white and the
    // four solids follow them. One more, or one fewer than 8, is malformed.
    void chartToolPatchLimits_data()
    {
        QTest::addColumn<QString>("patches");
        QTest::addColumn<int>("status");
        QTest::addRow("3000") << "3000" << 0;
        QTest::addRow("3001") << "3001" << 2;
        QTest::addRow("7") << "7" << 2;
    }

    void chartToolPatchLimits()
    {
        QFETCH(QString, patches);
        QFETCH(int, status);
        QTemporaryDir folder;
        const QString target = folder.filePath("c.ti1");
        QProcess tool;
        tool.start(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", patches, "--controls", "--ti1", target});
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), status);
        if (status != 0) {
            QVERIFY(tool.readAllStandardError().startsWith("tintora-chart: the number of patches must be a whole "
                                                           "number from 8 to 3000, not '" + patches.toLatin1()));
            QVERIFY(!QFile::exists(target));
            return;
        }
        QVERIFY(tool.readAllStandardOutput().endsWith("patches left = 3000\n"));
        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(target).constData());
        QVERIFY(it8);
        QCOMPARE(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"), 3000.0 + 17);
        QStringList paperAndSolids;
        for (int set = 3000; set < 3005; ++set)
            paperAndSolids << QStringLiteral("%1 %2/%3/%4/%5")
                                  .arg(cmsIT8GetDataRowCol(it8, set, 1))
                                  .arg(cmsIT8GetDataRowColDbl(it8, set, 2))
                                  .arg(cmsIT8GetDataRowColDbl(it8, set, 3))
                                  .arg(cmsIT8GetDataRowColDbl(it8, set, 4))
                                  .arg(cmsIT8GetDataRowColDbl(it8, set, 5));
        cmsIT8Free(it8);
        QCOMPARE(paperAndSolids, (QStringList{"Paper 0/0/0/0", "C 100 100/0/0/0", "M 100 0/100/0/0",
                                              "Y 100 0/0/100/0", "K 100 0/0/0/100"}));
    }

    void chartToolReadsSwatches()
    {
        QTemporaryDir folder;
        QFile swatches(folder.filePath("s.gpl"));
        QVERIFY(swatches.open(QIODevice::WriteOnly));
        swatches.write("GIMP Palette\nName: test\n255 0 0 Red\n0 0 255 Blue\n255 255 255 White\n");
        swatches.close();
        QProcess tool;
        tool.start(chartTool(), {"--profile", DEFAULT_CMYK, "--swatches", swatches.fileName(), "--ps",
                                 folder.filePath("s.ps"), "--cgats", folder.filePath("s.cgats")});
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(readAll(folder.filePath("s.ps")).count("rectfill"), 3);
        const QByteArray target = readAll(folder.filePath("s.cgats"));
        QVERIFY(target.contains("\"Patch 0003\""));
        QVERIFY(!target.contains("Red"));
    }

    // Each kind of place the user may point an export at, through the tool:
    // written where sound, refused with a message and exit 1 otherwise.
    void chartToolExportTargets_data()
    {
        ExportTarget::addRows("--ps", "--cgats");
    }

    void chartToolExportTargets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, exportName);
        QTemporaryDir folder;
        ExportTarget target;
        QVERIFY(ExportTarget::make(kind, folder, target));
        const QStringList before = ExportTarget::entries(folder);
        QProcess tool;
        tool.start(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "8", exportName, target.path});
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), target.refused ? 1 : 0);
        const QByteArray error = tool.readAllStandardError();
        QCOMPARE(error.contains(QFile::encodeName(target.path)), target.refused);
        const QString problem = target.problemAfter(ExportTarget::startOf(exportName, "--ps"), before, folder);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void chartToolWritesPrintLayout()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("chart.pdf");
        QProcess tool;
        tool.start(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "64", "--pdf", path, "--paper", "letter",
                                 "--patch-mm", "20", "--gap-mm", "0", "--margin-mm", "5"});
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), 0);
        // 20 mm patches without gaps: 9 columns and 12 rows a Letter page.
        const std::vector<QpdfPage> pages = qpdfPages(path);
        QCOMPARE(pages.size(), size_t(1));
        QCOMPARE(pages[0].mediaBox, (QList<double>{0, 0, 612, 792}));
        QCOMPARE(pages[0].cmykFills.size(), size_t(64));
    }

    void chartToolRefusesPrintLayouts_data()
    {
        // A layout the command line cannot give is malformed (2); a file
        // that cannot be written fails (1).
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addRow("paper without pdf") << QStringList{"--paper", "A4", "--ps", "page.ps"} << 2;
        QTest::addRow("unknown paper") << QStringList{"--pdf", "chart.pdf", "--paper", "B5"} << 2;
        QTest::addRow("paper too small") << QStringList{"--pdf", "chart.pdf", "--paper", "40x200"} << 2;
        QTest::addRow("patch too small") << QStringList{"--pdf", "chart.pdf", "--patch-mm", "4"} << 2;
        QTest::addRow("patch not a number") << QStringList{"--pdf", "chart.pdf", "--patch-mm", "10mm"} << 2;
        QTest::addRow("patch past the paper")
            << QStringList{"--pdf", "chart.pdf", "--paper", "60x60", "--patch-mm", "40"} << 2;
        QTest::addRow("no such folder") << QStringList{"--pdf", "missing/chart.pdf"} << 1;
    }

    void chartToolRefusesPrintLayouts()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QTemporaryDir folder;
        QProcess tool;
        tool.setWorkingDirectory(folder.path());
        tool.start(chartTool(), QStringList{"--profile", DEFAULT_CMYK, "--patches", "8"} + arguments);
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), status);
        const QByteArray error = tool.readAllStandardError();
        QVERIFY(error.contains("tintora-chart: "));
        QVERIFY(!QFile::exists(folder.filePath("chart.pdf")) && !QFile::exists(folder.filePath("page.ps")));
    }

    void chartToolRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QVERIFY(SpecialFiles::makeFifo(specialFolder.filePath("fifo")));
        QVERIFY(SpecialFiles::makeCharacterDevice(specialFolder.filePath("zero"), 5));
        const QString fifo = specialFolder.filePath("fifo"), zero = specialFolder.filePath("zero");
        QTest::addRow("fifo profile") << QStringList{"--profile", fifo};
        QTest::addRow("device profile") << QStringList{"--profile", zero};
        QTest::addRow("folder profile") << QStringList{"--profile", specialFolder.path()};
        QTest::addRow("fifo swatches") << QStringList{"--profile", DEFAULT_CMYK, "--swatches", fifo};
        QTest::addRow("device swatches") << QStringList{"--profile", DEFAULT_CMYK, "--swatches", zero};
        QTest::addRow("fifo monitor") << QStringList{"--profile", DEFAULT_CMYK, "--monitor", fifo};
        QTest::addRow("gray") << QStringList{"--profile", "/usr/share/color/icc/Gray.icc"};
        QTest::addRow("lab") << QStringList{"--profile", "/usr/share/color/icc/ITULab.icc"};
        QTest::addRow("rgb") << QStringList{"--profile", "/usr/share/color/icc/sRGB.icc"};
        QTest::addRow("missing") << QStringList{"--profile", "/nonexistent.icc"};
        QTest::addRow("unreadable swatches") << QStringList{"--profile", DEFAULT_CMYK, "--swatches", DEFAULT_CMYK};
    }

    void chartToolRefuses()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir folder;
        const QString page = folder.filePath("refused.ps");
        QProcess tool;
        tool.start(chartTool(), arguments << "--ps" << page);
        QVERIFY(tool.waitForFinished(EventLimits::EVENT_MS));
        QCOMPARE(tool.exitCode(), 1);
        const QByteArray error = tool.readAllStandardError();
        QVERIFY(error.startsWith("tintora-chart: "));
        QCOMPARE(error.count('\n'), 1);
        QVERIFY(!QFile::exists(page));
    }
};

QTEST_GUILESS_MAIN(TestChartExport)
#include "test_chart_export.moc"

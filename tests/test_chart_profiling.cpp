// A chart made to profile a printer (tintora-chart --device cmyk), from its
// profile or with none, judged from the .ti1 it writes with LittleCMS
// reading the file and the profile: its count, the paper's repeats through
// the list, the ink limit, its share of near-neutral patches against inks
// drawn at random and against Argyll's targen chart of the same size and
// limit (and spread through the list), and how evenly it covers the
// printer's colours (from a profile) or its inks (with none) against
// targen's chart; and Argyll's printtarg taking the .ti1.

#include "ProgramRun.h"

#include <QtTest>

#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

using Inks = std::array<double, 4>; // C, M, Y, K in percent
using Lab = std::array<double, 3>;

// The inks of every set of a .ti1, in file order; empty when it cannot be read.
std::vector<Inks> inksOf(const QString& path)
{
    std::vector<Inks> inks;
    cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(path).constData());
    if (!it8)
        return inks;
    const char* const fields[4] = {"CMYK_C", "CMYK_M", "CMYK_Y", "CMYK_K"};
    const int sets = static_cast<int>(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"));
    for (int set = 0; set < sets; ++set) {
        Inks each;
        for (int ink = 0; ink < 4; ++ink)
            each[ink] = cmsIT8GetDataRowColDbl(it8, set, cmsIT8FindDataFormat(it8, fields[ink]));
        inks.push_back(each);
    }
    cmsIT8Free(it8);
    return inks;
}

// The printer's Lab of inks, relative to its paper.
class Printer
{
public:
    Printer()
    {
        cmsHPROFILE printer = cmsOpenProfileFromFile(DEFAULT_CMYK, "r");
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        transform = cmsCreateTransform(printer, TYPE_CMYK_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
        cmsCloseProfile(printer);
        cmsCloseProfile(lab);
    }
    ~Printer() { cmsDeleteTransform(transform); }
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    Lab lab(const Inks& inks) const
    {
        cmsCIELab out;
        cmsDoTransform(transform, inks.data(), &out, 1);
        return {out.L, out.a, out.b};
    }

private:
    cmsHTRANSFORM transform = nullptr;
};

double sum(const Inks& inks)
{
    return inks[0] + inks[1] + inks[2] + inks[3];
}

bool nearNeutral(const Lab& lab)
{
    return std::hypot(lab[1], lab[2]) < 6.0;
}

// Random inks within the limit (0: none).
std::vector<Inks> randomInks(int count, double limit, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> ink(0.0, 100.0);
    std::vector<Inks> drawn;
    while (static_cast<int>(drawn.size()) < count) {
        const Inks inks{ink(random), ink(random), ink(random), ink(random)};
        if (limit <= 0 || sum(inks) <= limit)
            drawn.push_back(inks);
    }
    return drawn;
}

// The 95th percentile, over random printable inks, of the distance to the
// nearest patch of the chart: how large its holes are. inLab: the CIE 1976
// difference of the printer's colours; otherwise the Euclidean distance of
// the inks in percent.
double largeHoles(const Printer& printer, const std::vector<Inks>& chart, double limit, bool inLab)
{
    const auto at = [&printer, inLab](const Inks& inks) {
        const Lab lab = printer.lab(inks);
        return inLab ? Inks{lab[0], lab[1], lab[2], 0.0} : inks;
    };
    std::vector<Inks> patches;
    for (const Inks& inks : chart)
        patches.push_back(at(inks));
    std::vector<double> nearest;
    for (const Inks& probe : randomInks(2000, limit, 3)) {
        const Inks here = at(probe);
        double best = 1e9;
        for (const Inks& patch : patches)
            best = std::min(best, std::hypot(here[0] - patch[0], here[1] - patch[1],
                                             std::hypot(here[2] - patch[2], here[3] - patch[3])));
        nearest.push_back(best);
    }
    std::sort(nearest.begin(), nearest.end());
    return nearest[nearest.size() * 95 / 100];
}

} // namespace

class TestChartProfiling : public QObject
{
    Q_OBJECT

private slots:
    void chartProperties_data()
    {
        QTest::addColumn<int>("patches");
        QTest::addColumn<int>("inkLimit"); // percent, 0 for none
        QTest::addColumn<int>("paperRepeats");
        QTest::addColumn<bool>("againstTargen"); // targen takes minutes for thousands of patches
        QTest::addColumn<bool>("fromProfile");   // false: for a printer with no profile yet
        QTest::addRow("100, no limit") << 100 << 0 << 4 << true << true;
        QTest::addRow("1000 within 300 percent") << 1000 << 300 << 4 << true << true;
        QTest::addRow("1500 within 260 percent") << 1500 << 260 << 6 << false << true;
        QTest::addRow("no profile, 100, no limit") << 100 << 0 << 4 << true << false;
        QTest::addRow("no profile, 1250 within 280 percent") << 1250 << 280 << 5 << true << false;
    }

    void chartProperties()
    {
        QFETCH(int, patches);
        QFETCH(int, inkLimit);
        QFETCH(int, paperRepeats);
        QFETCH(bool, againstTargen);
        QFETCH(bool, fromProfile);
        QTemporaryDir folder;
        QStringList arguments{"--device", "cmyk", "--patches", QString::number(patches), "--ti1",
                              folder.filePath("ours.ti1")};
        if (fromProfile)
            arguments << "--profile" << DEFAULT_CMYK;
        if (inkLimit)
            arguments << "--ink-limit" << QString::number(inkLimit);
        const ProgramRun ours =
            ProgramRun::of(TINTORA_BINARY_DIR "/companions/chart/tintora-chart", arguments, {}, EventLimits::FIT_MS);
        QVERIFY2(ours.exitCode == 0, ours.error.constData());
        const std::vector<Inks> chart = inksOf(folder.filePath("ours.ti1"));
        QCOMPARE(int(chart.size()), patches);
        const ProgramRun printtarg = ProgramRun::of(QStandardPaths::findExecutable("printtarg"),
                                                    {"-v0", "-i", "i1", "-p", "A4", folder.filePath("ours")});
        QVERIFY2(printtarg.exitCode == 0, printtarg.error.constData());

        // The paper, repeated, in every quarter of the list.
        std::vector<int> paperAt;
        for (int i = 0; i < patches; ++i)
            if (sum(chart[i]) == 0.0)
                paperAt.push_back(i);
        QCOMPARE(int(paperAt.size()), paperRepeats);
        for (int quarter = 0; quarter < 4; ++quarter)
            QVERIFY2(std::any_of(paperAt.begin(), paperAt.end(),
                                 [&](int i) { return i * 4 / patches == quarter; }),
                     qPrintable(QString("no paper in quarter %1").arg(quarter + 1)));

        if (inkLimit)
            for (const Inks& inks : chart)
                QVERIFY2(sum(inks) <= inkLimit + 0.01, qPrintable(QString::number(sum(inks))));

        const Printer printer;
        const std::vector<Inks> drawn = randomInks(patches, inkLimit, 1);
        const auto neutralShare = [&printer](const std::vector<Inks>& inks) {
            return double(std::count_if(inks.begin(), inks.end(),
                                        [&printer](const Inks& each) { return nearNeutral(printer.lab(each)); }))
                / inks.size();
        };
        const double ourShare = neutralShare(chart), drawnShare = neutralShare(drawn);
        QVERIFY2(ourShare > 1.1 * drawnShare, qPrintable(QString("%1 against %2").arg(ourShare).arg(drawnShare)));
        for (int quarter = 0; quarter < 4; ++quarter) { // and on every part of the sheet
            const std::vector<Inks> part(chart.begin() + quarter * patches / 4,
                                         chart.begin() + (quarter + 1) * patches / 4);
            QVERIFY2(neutralShare(part) > 0.5 * drawnShare, qPrintable(QString("quarter %1").arg(quarter + 1)));
        }

        if (!againstTargen)
            return;
        QStringList targenArguments{"-v0", "-d4", QString("-f%1").arg(patches)};
        if (inkLimit)
            targenArguments << QString("-l%1").arg(inkLimit);
        const ProgramRun targen =
            ProgramRun::of(QStandardPaths::findExecutable("targen"), targenArguments << folder.filePath("targen"));
        QVERIFY2(targen.exitCode == 0, targen.error.constData());
        const std::vector<Inks> theirs = inksOf(folder.filePath("targen.ti1"));
        QVERIFY2(ourShare >= neutralShare(theirs),
                 qPrintable(QString("near neutral %1 against targen's %2").arg(ourShare).arg(neutralShare(theirs))));
        const double ourHoles = largeHoles(printer, chart, inkLimit, fromProfile);
        const double theirHoles = largeHoles(printer, theirs, inkLimit, fromProfile);
        // Near-neutral patches are taken closer together, so holes elsewhere
        // may be a little larger than those of targen's milder emphasis.
        QVERIFY2(ourHoles <= 1.05 * theirHoles,
                 qPrintable(QString("holes of %1 against targen's %2").arg(ourHoles).arg(theirHoles)));
    }
};

QTEST_GUILESS_MAIN(TestChartProfiling)
#include "test_chart_profiling.moc"

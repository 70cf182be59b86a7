// The chart's grid and its indexed culls, checked against the plain
// all-pairs reference on real CMYK profiles and on synthetic Lab lists.

#include "Cie94Bound.h"
#include "ChartConversions.h"
#include "ChartCull.h"
#include "ChartCullSnapshot.h"
#include "ChartGrid.h"
#include "ChartLabIndex.h"
#include "ChartRoughNeighbourhoods.h"
#include "KxChartPointList.h"
#include "ReferenceCull.h"

#include <KxAlloc.h>
#include <KxCMS.h>
#include <KxSupport.h>

#include <QtTest>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const PS_CMYK = "/usr/share/color/icc/ghostscript/ps_cmyk.icc";

struct Lines {
    std::vector<std::string> lines;
    ChartProgress sink()
    {
        return [this](const char* line) { lines.emplace_back(line); };
    }
};

void append(KxChartPointList& list, double L, double a, double b, unsigned char tag = 0)
{
    KxChartPoint* point = list.append();
    point->labD50[0] = L;
    point->labD50[1] = a;
    point->labD50[2] = b;
    point->cmyk[0] = tag;
}

void copy(const KxChartPointList& from, KxChartPointList& to)
{
    for (const KxChartPoint* p = from.first; p; p = p->next) {
        auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
        *point = *p;
        point->next = point->prev = point->last = nullptr;
        AddList(&to.first, point);
    }
}

// Each record as its ink bytes and D50 Lab, in list order.
std::vector<std::string> describe(const KxChartPoint* first)
{
    std::vector<std::string> out;
    for (const KxChartPoint* p = first; p; p = p->next)
        out.push_back(QString::asprintf("%u %u %u %u %.17g %.17g %.17g", p->cmyk[0], p->cmyk[1], p->cmyk[2],
                                        p->cmyk[3], p->labD50[0], p->labD50[1], p->labD50[2])
                          .toStdString());
    return out;
}

// Every field a chart shows or exports, record by record.
std::vector<std::string> describeFully(const KxChartPoint* first)
{
    std::vector<std::string> out;
    for (const KxChartPoint* p = first; p; p = p->next)
        out.push_back(QString::asprintf("%d %u %u %u %u %.17g %.17g %.17g %.17g %.17g %.17g %u %u %u", p->kind,
                                        p->cmyk[0], p->cmyk[1], p->cmyk[2], p->cmyk[3], p->labD50[0],
                                        p->labD50[1], p->labD50[2], p->labRelative[0], p->labRelative[1],
                                        p->labRelative[2], p->rgb[0], p->rgb[1], p->rgb[2])
                          .toStdString());
    return out;
}

void buildGrid(const char* profilePath, KxChartPointList& grid, Lines* lines = nullptr)
{
    ChartConversions conversions;
    QVERIFY(conversions.openForGeneration(profilePath, nullptr));
    Lines ignored;
    QCOMPARE(ChartGrid::build(&grid.first, conversions.profile(), nullptr, (lines ? lines : &ignored)->sink()), 0);
}

// A printer profile of far more saturated inks than a press has (chromas
// past 100, where the CIE94 weights change most), made here with
// LittleCMS: each ink takes away one sRGB primary, black all three.
// Lab goes back to ink through sRGB without black.
bool writeSaturatedPrinter(const QString& path)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsHTRANSFORM fromLab = cmsCreateTransform(lab, TYPE_Lab_DBL, srgb, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    const auto inksToLab = [](const cmsUInt16Number in[], cmsUInt16Number out[], void* transform) -> cmsInt32Number {
        const double k = 1.0 - in[3] / 65535.0;
        const double rgb[3] = {(1.0 - in[0] / 65535.0) * k, (1.0 - in[1] / 65535.0) * k, (1.0 - in[2] / 65535.0) * k};
        cmsCIELab colour;
        cmsDoTransform(static_cast<cmsHTRANSFORM>(transform), rgb, &colour, 1);
        cmsFloat2LabEncoded(out, &colour);
        return TRUE;
    };
    const auto labToInks = [](const cmsUInt16Number in[], cmsUInt16Number out[], void* transform) -> cmsInt32Number {
        cmsCIELab colour;
        cmsLabEncoded2Float(&colour, in);
        double rgb[3];
        cmsDoTransform(static_cast<cmsHTRANSFORM>(transform), &colour, rgb, 1);
        for (int i = 0; i < 3; ++i)
            out[i] = static_cast<cmsUInt16Number>(std::lround(std::clamp(1.0 - rgb[i], 0.0, 1.0) * 65535.0));
        out[3] = 0;
        return TRUE;
    };
    cmsHPROFILE printer = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(printer, 4.3);
    cmsSetDeviceClass(printer, cmsSigOutputClass);
    cmsSetColorSpace(printer, cmsSigCmykData);
    cmsSetPCS(printer, cmsSigLabData);
    cmsPipeline* forward = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* forwardTable = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsPipeline* backward = cmsPipelineAlloc(nullptr, 3, 4);
    cmsStage* backwardTable = cmsStageAllocCLut16bit(nullptr, 17, 3, 4, nullptr);
    // Tables stored as A curves, grid and B curves, the curves straight.
    bool written = toLab && fromLab && cmsStageSampleCLut16bit(forwardTable, inksToLab, toLab, 0)
                   && cmsStageSampleCLut16bit(backwardTable, labToInks, fromLab, 0)
                   && cmsPipelineInsertStage(forward, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr))
                   && cmsPipelineInsertStage(forward, cmsAT_END, forwardTable)
                   && cmsPipelineInsertStage(forward, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr))
                   && cmsPipelineInsertStage(backward, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr))
                   && cmsPipelineInsertStage(backward, cmsAT_END, backwardTable)
                   && cmsPipelineInsertStage(backward, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
    written = written && cmsWriteTag(printer, cmsSigAToB0Tag, forward) && cmsWriteTag(printer, cmsSigAToB1Tag, forward)
              && cmsWriteTag(printer, cmsSigBToA0Tag, backward) && cmsWriteTag(printer, cmsSigBToA1Tag, backward)
              && cmsWriteTag(printer, cmsSigMediaWhitePointTag, cmsD50_XYZ())
              && cmsSaveProfileToFile(printer, QFile::encodeName(path).constData());
    cmsPipelineFree(forward);
    cmsPipelineFree(backward);
    cmsCloseProfile(printer);
    cmsDeleteTransform(toLab);
    cmsDeleteTransform(fromLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return written;
}

// Random Lab colours on a coarse lattice, so that equal distances (ties)
// are common.
void randomLattice(KxChartPointList& list, int count, unsigned seed, double step)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> l(0, 20), ab(-12, 12);
    for (int i = 0; i < count; ++i)
        append(list, l(random) * step, ab(random) * step, ab(random) * step, static_cast<unsigned char>(i));
}

} // namespace

class TestChartCull : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
        QVERIFY(m_folder.isValid());
        QVERIFY(writeSaturatedPrinter(saturatedPrinter()));
    }

    void gridHoldsEveryColourButPaperWhite()
    {
        KxChartPointList grid;
        Lines lines;
        buildGrid(DEFAULT_CMYK, grid, &lines);
        QCOMPARE(grid.length(), ChartGrid::GRID_SIZE);
        QCOMPARE(lines.lines, std::vector<std::string>{"all done: 6560 patches created 0 skipped\n"});
        const KxChartPoint* first = grid.first;
        QCOMPARE(int(first->cmyk[0]), 32); // K
        QCOMPARE(int(first->cmyk[1]) + first->cmyk[2] + first->cmyk[3], 0);
        const KxChartPoint* last = grid.first->last;
        for (int i = 0; i < 4; ++i)
            QCOMPARE(int(last->cmyk[i]), 255);
        const std::vector<int> levels{0, 32, 64, 96, 128, 159, 191, 223, 255};
        for (const KxChartPoint* p = grid.first; p; p = p->next) {
            QVERIFY(p->cmyk[0] || p->cmyk[1] || p->cmyk[2] || p->cmyk[3]);
            QCOMPARE(p->kind, 2);
            for (int i = 0; i < 4; ++i)
                QVERIFY(std::count(levels.begin(), levels.end(), int(p->cmyk[i])) == 1);
        }
        // K varies fastest, then Y: the second record is K 64, the tenth C 0 M 0 Y 32 K 0.
        QCOMPARE(int(first->next->cmyk[0]), 64);
        const KxChartPoint* tenth = first;
        for (int i = 0; i < 8; ++i)
            tenth = tenth->next;
        QCOMPARE(int(tenth->cmyk[0]), 0);
        QCOMPARE(int(tenth->cmyk[3]), 32);
    }

    void outOfMemoryLeavesNoRecords()
    {
        ChartConversions conversions;
        QVERIFY(conversions.openForGeneration(DEFAULT_CMYK, nullptr));
        KxChartPointList grid;
        Lines lines;
        KxDiagnosticFailAllocation(100);
        QCOMPARE(ChartGrid::build(&grid.first, conversions.profile(), nullptr, lines.sink()), -1);
        KxDiagnosticFailAllocation(0);
        QVERIFY(grid.first == nullptr);
        QVERIFY(lines.lines.empty());
    }

    // The bound the index prunes with holds for the engine's CIE94.
    void cie94IsNeverBelowTheBound()
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> l(0, 100), ab(-128, 128), near(-3, 3);
        for (int i = 0; i < 200000; ++i) {
            const double x[3] = {l(random), ab(random), ab(random)};
            const double y[3] = {i % 2 ? l(random) : x[0] + near(random), i % 2 ? ab(random) : x[1] + near(random),
                                 i % 2 ? ab(random) : x[2] + near(random)};
            const double d = KxCMS_ColourDiff_CIE94(x, y);
            const double c = std::max(std::hypot(x[1], x[2]), std::hypot(y[1], y[2]));
            QVERIFY(d >= std::fabs(x[0] - y[0]) * (1 - 1e-12));
            QVERIFY(d >= KxCMS_ColourDiff_DeltaE(x, y) / (1 + 0.048 * c) * (1 - 1e-12));
            // The filter in front of the engine lets through every pair that
            // is within the tolerance, also one exactly at it, and keeps back
            // pairs clearly beyond it.
            const double cx = Cie94Bound::chroma(x), cy = Cie94Bound::chroma(y);
            QVERIFY(Cie94Bound(d, c).judge(x, cx, y, cy) != Cie94Bound::Verdict::Beyond);
            QVERIFY(Cie94Bound(d, c).judge(y, cy, x, cx) != Cie94Bound::Verdict::Beyond);
            QVERIFY(Cie94Bound(d * 0.999 - 1e-6, c).judge(x, cx, y, cy) == Cie94Bound::Verdict::Beyond);
        }
    }

    // What the culls decide without the engine, checked against it: a pair
    // judged within is within, a lower bound is never above the engine's
    // difference, and a pair within the tolerance lies within the reach
    // around either colour.
    void judgementsAgreeWithTheEngine()
    {
        std::mt19937 random(11);
        std::uniform_real_distribution<double> l(0, 100), ab(-128, 128), near(-6, 6), tolerance(0.5, 19.0);
        int within = 0, beyond = 0;
        for (int i = 0; i < 200000; ++i) {
            const double x[3] = {l(random), ab(random), ab(random)};
            const double y[3] = {x[0] + near(random) / 3, x[1] + near(random), x[2] + near(random)};
            const double d = KxCMS_ColourDiff_CIE94(y, x);
            const double t = i % 3 ? tolerance(random) : d; // a third exactly at the tolerance
            const double cx = Cie94Bound::chroma(x), cy = Cie94Bound::chroma(y);
            const Cie94Bound bound(t, std::max(cx, cy));
            const double estimate = bound.squaredEstimate(y, cy, x, cx);
            switch (bound.verdictOn(estimate)) {
            case Cie94Bound::Verdict::Within:
                QVERIFY2(d < t, qPrintable(QString::number(i)));
                ++within;
                break;
            case Cie94Bound::Verdict::Beyond:
                QVERIFY2(d > t, qPrintable(QString::number(i)));
                ++beyond;
                break;
            case Cie94Bound::Verdict::Unsure:
                break;
            }
            QVERIFY(std::min(Cie94Bound::lowerBound(estimate), t) <= d);
            if (d <= t) {
                const double dE = KxCMS_ColourDiff_DeltaE(x, y);
                QVERIFY(dE <= bound.colourReachFrom(cx));
                QVERIFY(dE <= bound.colourReachFrom(cy));
            }
        }
        QVERIFY(within > 10000 && beyond > 10000);
    }

    // The index finds, by brute force's account, every colour within its
    // reaches of one colour, and every pair within the reach of the
    // smaller chroma exactly once, on random colours and on a lattice whose
    // colours fall on the cells' borders.
    void indexFindsWhatBruteForceFinds()
    {
        std::mt19937 random(11);
        std::uniform_real_distribution<double> l(0, 20), ab(-15, 15);
        for (int set = 0; set < 6; ++set) {
            std::vector<std::vector<double>> values;
            const double step = 0.5 * (1 + set % 3);
            for (int k = 0; k < 700; ++k)
                if (set < 3)
                    values.push_back({step * l(random), step * ab(random), step * ab(random)});
                else // on a lattice of the step, many colours exactly a reach apart
                    values.push_back({step * std::round(l(random)), step * std::round(ab(random)),
                                      step * std::round(ab(random))});
            std::vector<const double*> labs;
            std::vector<double> chromas;
            std::vector<std::size_t> colours;
            for (const std::vector<double>& lab : values) {
                colours.push_back(labs.size());
                labs.push_back(lab.data());
                chromas.push_back(Cie94Bound::chroma(lab.data()));
            }
            const double lightnessReach = 2.0 * step;
            const auto colourReachOf = [&](double chroma) { return step * (2.0 + chroma / 20.0); };
            const ChartLabIndex index(labs, chromas, colours, lightnessReach * (1 + set % 2), lightnessReach);

            const auto within = [&](std::size_t i, std::size_t j, double colourReach) {
                const double dL = labs[i][0] - labs[j][0];
                const double da = labs[i][1] - labs[j][1], db = labs[i][2] - labs[j][2];
                return std::fabs(dL) <= lightnessReach && dL * dL + da * da + db * db <= colourReach * colourReach;
            };
            for (std::size_t i = 0; i < labs.size(); i += 7) {
                const std::size_t from = i / 2, to = labs.size() - i / 3;
                std::vector<std::size_t> found, expected;
                index.visitNear(i, from, to, lightnessReach, colourReachOf(chromas[i]),
                                [&](const ChartLabIndex::Member& member) { found.push_back(member.colour); });
                for (std::size_t j = from; j < to; ++j)
                    if (within(i, j, colourReachOf(chromas[i])))
                        expected.push_back(j);
                std::sort(found.begin(), found.end());
                QCOMPARE(found, expected);
            }

            std::vector<std::pair<std::size_t, std::size_t>> pairs;
            index.visitPairs(lightnessReach, colourReachOf,
                             [&](const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) {
                                 pairs.emplace_back(std::min(x.colour, y.colour), std::max(x.colour, y.colour));
                             });
            std::sort(pairs.begin(), pairs.end());
            QVERIFY(std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end());
            std::size_t expectedPairs = 0;
            for (std::size_t i = 0; i < labs.size(); ++i)
                for (std::size_t j = i + 1; j < labs.size(); ++j)
                    if (within(i, j, colourReachOf(std::min(chromas[i], chromas[j])))) {
                        ++expectedPairs;
                        QVERIFY2(std::binary_search(pairs.begin(), pairs.end(), std::make_pair(i, j)),
                                 qPrintable(QString("pair %1 %2 of set %3 not visited").arg(i).arg(j).arg(set)));
                    }
            QVERIFY(expectedPairs > 500);
            QVERIFY(pairs.size() >= expectedPairs);
            for (const auto& pair : pairs)
                QVERIFY(pair.first != pair.second);
        }
    }

    // The neighbour lists name every present record within the reach by
    // the engine's CIE94 (either way round), whether learnt all at once or
    // along a pass in either direction while records go; on a lattice full
    // of pairs exactly at the reach, and with saturated colours.
    void neighbourListsHoldEveryRecordWithinTheReach()
    {
        for (int way = 0; way < 3; ++way) { // all at once, along forward, along reverse
            KxChartPointList points;
            randomLattice(points, 700, 40 + way, 2.0);
            for (int i = 0; i < 30; ++i)
                append(points, 50, 120 + i, -90);
            ChartCullSnapshot list(points.first);
            const double reach = 4.0;
            const auto missing = [&](std::size_t i, ChartRoughNeighbourhoods::Range around) {
                std::vector<std::size_t> found;
                for (auto neighbour = around.first; neighbour != around.last; ++neighbour)
                    found.push_back(neighbour->record);
                std::sort(found.begin(), found.end());
                int count = 0;
                for (std::size_t j = 0; j < list.size(); ++j)
                    count += j != i && list.present[j]
                             && std::min(list.cie94(i, j), list.cie94(j, i)) <= reach
                             && !std::binary_search(found.begin(), found.end(), j);
                return count;
            };
            ChartRoughNeighbourhoods known;
            int within = 0;
            if (way == 0) {
                known.lookAll(list, reach);
            } else {
                const bool forward = way == 1;
                known.startLookingAlong(list, reach, forward);
                std::mt19937 random(way);
                for (std::size_t step = 0; step < list.size(); ++step) {
                    const std::size_t i = forward ? step : list.size() - 1 - step;
                    if (!list.present[i])
                        continue;
                    QCOMPARE(missing(i, known.lookAlong(list, i)), 0);
                    const std::size_t later = forward ? i + 1 + random() % list.size() : random() % (i + 1);
                    if (later < list.size() && later != i && random() % 2)
                        list.present[later] = 0; // removed before it is reached
                }
                known.endLookingAlong(list);
            }
            QVERIFY(known.serves(reach));
            for (std::size_t i = 0; i < list.size(); ++i)
                if (list.present[i]) {
                    QCOMPARE(missing(i, known.neighbours(i)), 0);
                    within += known.neighbours(i).last - known.neighbours(i).first;
                }
            QVERIFY(within > 2000);
        }
    }

    void fastCullsEqualReference_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("count");
        for (int count : {8, 9, 16, 17, 63, 64, 65, 100, 255, 256, 511, 512})
            QTest::addRow("default_cmyk %d", count) << DEFAULT_CMYK << count;
        for (int count : {8, 64, 200, 512})
            QTest::addRow("ps_cmyk %d", count) << PS_CMYK << count;
        for (int count : {8, 100, 512})
            QTest::addRow("saturated %d", count) << saturatedPrinter() << count;
    }

    void fastCullsEqualReference()
    {
        QFETCH(QString, profile);
        QFETCH(int, count);
        KxChartPointList fast, plain;
        buildGrid(QFile::encodeName(profile).constData(), fast);
        copy(fast, plain);
        Lines fastLines, plainLines;
        ChartCull::cullToCount(&fast.first, count, fastLines.sink());
        ReferenceCull::cullToCount(&plain.first, count, plainLines.sink());
        QCOMPARE(fast.length(), static_cast<unsigned long>(count));
        QCOMPARE(fastLines.lines, plainLines.lines);
        QCOMPARE(describe(fast.first), describe(plain.first));
        QVERIFY(fastLines.lines.front().rfind("forward rough cull: Tolerance 2.000000,", 0) == 0);
        QVERIFY(fastLines.lines.at(1).rfind("reverse rough cull: Tolerance 2.250000,", 0) == 0);
        QVERIFY(fastLines.lines.back().find("fine cull") == std::string::npos);
    }

    // Generation works out the relative Lab and the display colour for the
    // kept records only; they must be those of the full grid, culled.
    void generationKeepsTheFullGridsRecords()
    {
        for (const char* monitor : {static_cast<const char*>(nullptr), "/usr/share/color/icc/colord/AdobeRGB1998.icc"})
            for (unsigned long count : {8UL, 64UL, 512UL}) {
                ChartConversions conversions;
                QVERIFY(conversions.openForGeneration(PS_CMYK, monitor));
                KxChartPointList generated, full;
                Lines generatedLines, fullLines;
                QCOMPARE(ChartGrid::generate(&generated.first, conversions.profile(), conversions.monitor(), count,
                                             generatedLines.sink()),
                         0);
                QCOMPARE(ChartGrid::build(&full.first, conversions.profile(), conversions.monitor(), fullLines.sink()),
                         0);
                ChartCull::cullToCount(&full.first, count, fullLines.sink());
                QCOMPARE(generatedLines.lines, fullLines.lines);
                QCOMPARE(describeFully(generated.first), describeFully(full.first));
                QVERIFY(generated.first->labRelative[0] > 0.0);
                if (monitor)
                    QVERIFY(generated.first->rgb[0] || generated.first->rgb[1] || generated.first->rgb[2]);

                // What the files are written from: the same records and lines.
                KxChartPointList forFiles;
                Lines forFilesLines;
                QCOMPARE(ChartGrid::generateForFiles(&forFiles.first, conversions.profile(), count,
                                                     forFilesLines.sink()),
                         0);
                QCOMPARE(forFilesLines.lines, fullLines.lines);
                QCOMPARE(describe(forFiles.first), describe(full.first));
            }
    }

    void forwardKeepsEarlierReverseKeepsLater()
    {
        for (bool reverse : {false, true}) {
            KxChartPointList list;
            append(list, 50, 0, 0, 1);
            append(list, 51, 0, 0, 2); // 1.0 from the first
            append(list, 90, 0, 0, 3);
            Lines lines;
            bool flag = reverse;
            ChartCull::removeDuplicates(&list.first, 2.0, flag, 1, lines.sink());
            QCOMPARE(flag, !reverse);
            QCOMPARE(list.length(), 2UL);
            QCOMPARE(int(list.first->cmyk[0]), reverse ? 2 : 1);
            QCOMPARE(lines.lines.size(), size_t(1));
            QCOMPARE(lines.lines[0], std::string(reverse ? "reverse" : "forward")
                                         + " rough cull: Tolerance 2.000000, removed 1 duplicates, patches left = 2\n");
        }
    }

    // A pair exactly at the tolerance survives the rough pass but not the fine cull.
    void roughIsStrictFineIsInclusive()
    {
        KxChartPointList list;
        append(list, 40, 0, 0);
        append(list, 42, 0, 0);
        QCOMPARE(KxCMS_ColourDiff_CIE94(list.first->next->labD50, list.first->labD50), 2.0);
        Lines lines;
        bool reverse = false;
        ChartCull::removeDuplicates(&list.first, 2.0, reverse, 1, lines.sink());
        QCOMPARE(list.length(), 2UL);
        ChartCull::removeDuplicates(&list.first, 1, 2.0, lines.sink());
        QCOMPARE(list.length(), 1UL);
        QCOMPARE(lines.lines.back(), std::string("fine cull:  Tolerance 2.000000, removed 1 duplicates, patches left = 1\n"));
    }

    // Fine cull, rough passes from a short list and the closest pair on
    // lattices full of equal distances.
    void syntheticListsEqualReference()
    {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            KxChartPointList fast, plain;
            randomLattice(fast, 150 + int(seed) * 7, seed, seed % 3 ? 1.0 : 2.5);
            copy(fast, plain);
            double fastDistance = 0, plainDistance = 0;
            const KxChartPoint* fastClosest = findClosestPoint(fast.first, fastDistance);
            const KxChartPoint* plainClosest = ReferenceCull::findClosestPoint(plain.first, plainDistance);
            QCOMPARE(fastDistance, plainDistance);
            QCOMPARE(describe(fastClosest)[0], describe(plainClosest)[0]);

            Lines fastLines, plainLines;
            const unsigned long target = 10 + seed * 3;
            ChartCull::removeDuplicates(&fast.first, target, 0.5, fastLines.sink());
            ReferenceCull::removeDuplicates(&plain.first, target, 0.5, plainLines.sink());
            QCOMPARE(fastLines.lines, plainLines.lines);
            QCOMPARE(describe(fast.first), describe(plain.first));

            // Rough passes on a list already at or under the target still remove one record.
            bool fastReverse = seed % 2, plainReverse = seed % 2;
            for (double tolerance : {3.0, 5.0}) {
                ChartCull::removeDuplicates(&fast.first, tolerance, fastReverse, target, fastLines.sink());
                ReferenceCull::removeDuplicates(&plain.first, tolerance, plainReverse, target, plainLines.sink());
            }
            QCOMPARE(fastLines.lines, plainLines.lines);
            QCOMPARE(describe(fast.first), describe(plain.first));
        }
    }

    // Many rough passes in a row, each relying on what the passes before it
    // learnt of the records' neighbours, on lists full of equal distances.
    void roughPassesInARowEqualReference()
    {
        for (unsigned seed = 1; seed <= 12; ++seed) {
            KxChartPointList fast, plain;
            randomLattice(fast, 300 + int(seed) * 40, seed, seed % 2 ? 2.5 : 5.0);
            copy(fast, plain);
            Lines fastLines, plainLines;
            ChartCull::cullToCount(&fast.first, 3 + seed, fastLines.sink());
            ReferenceCull::cullToCount(&plain.first, 3 + seed, plainLines.sink());
            QVERIFY(fastLines.lines.size() > 10);
            QCOMPARE(fastLines.lines, plainLines.lines);
            QCOMPARE(describe(fast.first), describe(plain.first));
        }
    }

    void closestPairOfShortLists()
    {
        KxChartPointList list;
        double distance = 0;
        QVERIFY(!findClosestPoint(nullptr, distance));
        QCOMPARE(distance, 1e20);
        append(list, 50, 0, 0);
        QVERIFY(!findClosestPoint(list.first, distance));
        append(list, 50, 0, 0, 9);
        QCOMPARE(int(findClosestPoint(list.first, distance)->cmyk[0]), 9);
        QCOMPARE(distance, 0.0);
    }

    // Colours that can be compared with nothing end the culls instead of
    // hanging them.
    void nonFiniteColoursDoNotHang()
    {
        KxChartPointList list;
        for (int i = 0; i < 5; ++i)
            append(list, std::nan(""), 0, 0);
        append(list, 50, 0, 0);
        Lines lines;
        ChartCull::cullToCount(&list.first, 2, lines.sink());
        QCOMPARE(list.length(), 6UL);
        double distance = 0;
        QVERIFY(!findClosestPoint(list.first, distance));
    }

private:
    QString saturatedPrinter() const { return m_folder.filePath("saturated printer.icc"); }

    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestChartCull)
#include "test_chart_cull.moc"

// The least a chart generation must do, as a plain LittleCMS program: open
// the profile, convert the 6560 colours of the nine-level CMYK grid (paper
// white left out) to D50 Lab in one call, and print a checksum so that
// nothing is left unused. bench_chart_floor runs it as a whole process
// beside tintora-chart.
// Usage: chart_floor profile.icc

#include <lcms2.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: chart_floor profile.icc\n", stderr);
        return 2;
    }
    cmsHPROFILE profile = cmsOpenProfileFromFile(argv[1], "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM transform = profile && lab ? cmsCreateTransform(profile, TYPE_CMYK_16, lab, TYPE_Lab_DBL,
                                                                  INTENT_ABSOLUTE_COLORIMETRIC, 0)
                                             : nullptr;
    if (!transform) {
        std::fprintf(stderr, "chart_floor: cannot convert %s to Lab\n", argv[1]);
        return 1;
    }

    constexpr int LEVELS = 9;
    std::vector<cmsUInt16Number> grid;
    for (int c = 0; c < LEVELS; ++c)
        for (int m = 0; m < LEVELS; ++m)
            for (int y = 0; y < LEVELS; ++y)
                for (int k = 0; k < LEVELS; ++k) {
                    if (!c && !m && !y && !k)
                        continue;
                    for (int index : {c, m, y, k}) {
                        const unsigned level = static_cast<unsigned>(index * 255.0 / 8.0 + 0.5);
                        grid.push_back(static_cast<cmsUInt16Number>(level * 257u));
                    }
                }
    const cmsUInt32Number colours = static_cast<cmsUInt32Number>(grid.size() / 4);
    std::vector<cmsCIELab> labs(colours);
    cmsDoTransform(transform, grid.data(), labs.data(), colours);

    double sum = 0.0;
    for (const cmsCIELab& colour : labs)
        sum += colour.L + colour.a + colour.b;
    std::printf("%u colours, Lab sum %.3f\n", colours, sum);

    cmsDeleteTransform(transform);
    cmsCloseProfile(lab);
    cmsCloseProfile(profile);
    return 0;
}

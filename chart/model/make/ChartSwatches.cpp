#include "ChartSwatches.h"

#include <KxCMS.h>
#include <KxComboColour.h>
#include <KxList.h>

#include <cstdio>

void ChartSwatches::build(KxChartPoint** points, const KxCOMBOCOLOUR* first, const KxCMS* printer,
                          const KxCMS* monitor)
{
    for (const KxCOMBOCOLOUR* swatch = first; swatch; swatch = swatch->next) {
        auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
        if (!point) {
            std::fputs("Cannot allocate memory\n", stderr);
            return;
        }
        point->kind = KX_CHART_POINT_KIND;
        if (swatch->flags & KX_COMBO_LAB) {
            point->labD50[0] = swatch->L;
            point->labD50[1] = swatch->a;
            point->labD50[2] = swatch->b;
            KxCMSLabD50ToCMYK(printer, swatch->L, swatch->a, swatch->b, point->cmyk);
        } else {
            point->setInkBytes(swatch->c, swatch->m, swatch->y, swatch->k);
            KxCMSCMYKToLab(printer, point->cmyk, &point->labD50[0], &point->labD50[1], &point->labD50[2]);
        }
        KxCMSCMYKToLabRelative(printer, point->cmyk, &point->labRelative[0], &point->labRelative[1],
                               &point->labRelative[2]);
        KxCMSLabToRGB(monitor, point->labRelative[0], point->labRelative[1], point->labRelative[2], point->rgb);
        AddList(points, point);
    }
}

#include "ChartPointPrediction.h"

#include <KxCMS.h>

void ChartPointPrediction::fill(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor)
{
    KxCMSCMYKToLab(profile, point.cmyk, &point.labD50[0], &point.labD50[1], &point.labD50[2]);
    KxCMSCMYKToLabRelative(profile, point.cmyk, &point.labRelative[0], &point.labRelative[1], &point.labRelative[2]);
    KxCMSLabToRGB(monitor, point.labD50[0], point.labD50[1], point.labD50[2], point.rgb);
}

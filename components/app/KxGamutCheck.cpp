#include "KxGamutCheck.h"

#include "KxCMS.h"

int KxGamutCheck::create(const char* outputPath)
{
    // Only the read-back's Lab is used, never its device values.
    m_readBack.setDeviceLink(false);
    return m_readBack.create(outputPath, outputPath);
}

void KxGamutCheck::close()
{
    m_readBack.close();
}

double KxGamutCheck::difference(const double inputLab[3], const double device[]) const
{
    // toLab gives D50 Lab under every intent.
    double output[3];
    if (!m_readBack.toLab(device, output))
        return -1.0;
    return KxCMS_ColourDiff_DeltaE(inputLab, output);
}

#include "KxGamutCheck.h"

#include "KxCMS.h"

int KxGamutCheck::create(const char* outputPath)
{
    return m_readBack.create(outputPath, outputPath);
}

void KxGamutCheck::close()
{
    m_readBack.close();
}

double KxGamutCheck::difference(const double inputLab[3], const unsigned long device[]) const
{
    if (!isOpen())
        return -1.0;
    // The Lab calls give D50 Lab under every intent.
    double output[3] = {0.0, 0.0, 0.0};
    if (m_readBack.outputSpace == icSigCmykData)
        m_readBack.cmyk2lab(device[0], device[1], device[2], device[3], output[0], output[1], output[2]);
    else if (m_readBack.outputSpace == icSigRgbData)
        m_readBack.rgb2lab(device[0], device[1], device[2], output[0], output[1], output[2]);
    else
        return -1.0;
    return KxCMS_ColourDiff_DeltaE(inputLab, output);
}

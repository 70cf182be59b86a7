#ifndef CHARTINK_H
#define CHARTINK_H

// A chart holds each ink as a byte, 0..255 for 0..100 %.
namespace ChartInk {

inline double percent(unsigned char ink)
{
    return ink / 2.55;
}

// The byte nearest to an ink percentage from 0 to 100.
inline unsigned char byteOf(double percent)
{
    return static_cast<unsigned char>(percent * 2.55 + 0.5);
}

} // namespace ChartInk

#endif

#ifndef PROFILEQUALITY_H
#define PROFILEQUALITY_H

#include <cstddef>

// How fine a profile's tables are, and how many different patches the
// readings need to fill them.
struct ProfileQuality {
    enum Level { Low, Medium, High };

    unsigned inkPoints;      // forward grid nodes per ink, for CMYK
    unsigned rgbPoints;      // forward grid nodes per channel, for RGB: a third dimension costs little
    unsigned labPoints;      // backward grid nodes per Lab axis
    std::size_t minimumPatches;

    static ProfileQuality of(Level level);
};

#endif

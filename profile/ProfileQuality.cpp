#include "ProfileQuality.h"

ProfileQuality ProfileQuality::of(Level level)
{
    switch (level) {
    case Low:
        return {9, 17, 50};
    case Medium:
        return {13, 33, 150};
    case High:
        break;
    }
    return {17, 33, 400};
}

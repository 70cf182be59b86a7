#include "ProfileQuality.h"

ProfileQuality ProfileQuality::of(Level level)
{
    switch (level) {
    case Low:
        return {7, 17, 17, 50};
    case Medium:
        return {13, 33, 33, 150};
    case High:
        break;
    }
    return {19, 33, 33, 400};
}

#ifndef KXCMSTRANSFORM_H
#define KXCMSTRANSFORM_H

#include "KxCmsProfile.h"

#include <lcms2.h>

#include <memory>

// One LittleCMS transform between two pixel formats, deleted with its owner.
// Transforms are built without LittleCMS's one-pixel cache, so a transform
// holds no state after creation and may be shared by several conversions.
class KxCmsTransform
{
public:
    struct Recipe
    {
        std::shared_ptr<const KxCmsProfile> input;
        cmsUInt32Number inputFormat;
        std::shared_ptr<const KxCmsProfile> output;
        cmsUInt32Number outputFormat;
        cmsUInt32Number intent;
        cmsUInt32Number flags; // besides cmsFLAGS_NOCACHE, always added
    };

    // Null when LittleCMS cannot link the two profiles this way. Equal
    // recipes share one transform while any user holds it.
    static std::shared_ptr<const KxCmsTransform> obtain(const Recipe& recipe);

    KxCmsTransform(const KxCmsTransform&) = delete;
    KxCmsTransform& operator=(const KxCmsTransform&) = delete;

    // Converts count pixels, one after another in each buffer.
    void apply(const void* input, void* output, cmsUInt32Number count = 1) const
    {
        cmsDoTransform(m_handle.get(), input, output, count);
    }

private:
    struct Deleter
    {
        void operator()(void* transform) const { cmsDeleteTransform(transform); }
    };
    explicit KxCmsTransform(std::unique_ptr<void, Deleter> handle);
    friend class KxCmsTransformCache;
    static std::shared_ptr<const KxCmsTransform> build(const Recipe& recipe);

    std::unique_ptr<void, Deleter> m_handle;
};

#endif

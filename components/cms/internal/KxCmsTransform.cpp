#include "KxCmsTransform.h"

#include "KxCmsLog.h"
#include "KxCmsTransformCache.h"

KxCmsTransform::KxCmsTransform(std::unique_ptr<void, Deleter> handle)
    : m_handle(std::move(handle))
{
}

std::shared_ptr<const KxCmsTransform> KxCmsTransform::obtain(const Recipe& recipe)
{
    if (!recipe.input || !recipe.output)
        return nullptr;
    return KxCmsTransformCache::instance().obtain(recipe);
}

std::shared_ptr<const KxCmsTransform> KxCmsTransform::build(const Recipe& recipe)
{
    KxCmsLog::install();
    std::unique_ptr<void, Deleter> handle(cmsCreateTransform(recipe.input->handle(), recipe.inputFormat,
                                                             recipe.output->handle(), recipe.outputFormat,
                                                             recipe.intent, recipe.flags | cmsFLAGS_NOCACHE));
    if (!handle)
        return nullptr;
    return std::shared_ptr<const KxCmsTransform>(new KxCmsTransform(std::move(handle)));
}

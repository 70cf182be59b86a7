#ifndef KXCMSTRANSFORMCACHE_H
#define KXCMSTRANSFORMCACHE_H

#include "KxCmsTransform.h"

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

// Keeps the most recently used transforms, so that rebuilding the same
// conversions (the tool closes and re-creates its transforms on every
// refresh) costs a look-up instead of a new precalculation. Recipes are
// told apart by the profiles' content, not their paths, so a profile file
// that changes on disk gets new transforms.
class KxCmsTransformCache
{
public:
    // Enough for the transforms of two refreshes of the tool (three
    // conversions of four transforms each) and a chart.
    static constexpr std::size_t CAPACITY = 32;

    static KxCmsTransformCache& instance();

    // The cached transform for the recipe, or a newly built one; null when
    // LittleCMS cannot build it (failures are not cached).
    std::shared_ptr<const KxCmsTransform> obtain(const KxCmsTransform::Recipe& recipe);
    // Drops every kept transform (users keep theirs alive).
    void clear();
    std::size_t size() const;

private:
    KxCmsTransformCache() = default;
    static std::string keyOf(const KxCmsTransform::Recipe& recipe);

    mutable std::mutex m_mutex;
    // Most recently used first.
    std::list<std::pair<std::string, std::shared_ptr<const KxCmsTransform>>> m_entries;
};

#endif

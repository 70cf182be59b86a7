#include "KxCmsTransformCache.h"

KxCmsTransformCache& KxCmsTransformCache::instance()
{
    static KxCmsTransformCache cache;
    return cache;
}

std::string KxCmsTransformCache::keyOf(const KxCmsTransform::Recipe& recipe)
{
    return recipe.input->identity() + '|' + std::to_string(recipe.inputFormat) + '|'
        + recipe.output->identity() + '|' + std::to_string(recipe.outputFormat) + '|'
        + std::to_string(recipe.intent) + '|' + std::to_string(recipe.flags);
}

std::shared_ptr<const KxCmsTransform> KxCmsTransformCache::obtain(const KxCmsTransform::Recipe& recipe)
{
    const std::string key = keyOf(recipe);
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (entry->first == key) {
            m_entries.splice(m_entries.begin(), m_entries, entry);
            return entry->second;
        }
    }
    std::shared_ptr<const KxCmsTransform> transform = KxCmsTransform::build(recipe);
    if (!transform)
        return nullptr;
    m_entries.emplace_front(key, transform);
    if (m_entries.size() > CAPACITY)
        m_entries.pop_back();
    return transform;
}

void KxCmsTransformCache::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
}

std::size_t KxCmsTransformCache::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.size();
}

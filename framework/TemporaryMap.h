#pragma once

#include <map>
#include <memory>

// The wrapper objects that the framework lends out for handles that no object of
// the program wraps (a control's window, the font a DC had selected, ...). They
// belong to the map, never release the handle they wrap, and stay valid at least
// as long as their handle does.
template <class Handle, class Wrapper>
class TemporaryMap
{
public:
    using Setter = void (*)(Wrapper&, Handle);
    using Validity = bool (*)(Handle);

    TemporaryMap(Setter set, Validity isValid) : m_set(set), m_isValid(isValid) {}
    ~TemporaryMap()
    {
        for (auto& item : m_items)
            m_set(*item.second, nullptr);
    }
    TemporaryMap(const TemporaryMap&) = delete;
    TemporaryMap& operator=(const TemporaryMap&) = delete;

    Wrapper* Get(Handle handle)
    {
        if (!handle)
            return nullptr;
        const auto found = m_items.find(handle);
        if (found != m_items.end())
            return found->second.get();
        if (m_items.size() >= kPruneAt)
            Prune();
        auto wrapper = std::make_unique<Wrapper>();
        m_set(*wrapper, handle);
        return m_items.emplace(handle, std::move(wrapper)).first->second.get();
    }

private:
    static constexpr size_t kPruneAt = 256;

    // Forgets the wrappers of handles that no longer exist.
    void Prune()
    {
        for (auto it = m_items.begin(); it != m_items.end();) {
            if (m_isValid(it->first)) {
                ++it;
            } else {
                m_set(*it->second, nullptr);
                it = m_items.erase(it);
            }
        }
    }

    Setter m_set;
    Validity m_isValid;
    std::map<Handle, std::unique_ptr<Wrapper>> m_items;
};

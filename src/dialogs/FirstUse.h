#pragma once

#include <memory>
#include <utility>

// The one instance a registry keeps in `slot`, made from `args` the first
// time it is asked for; later calls return the same instance.
template <typename T, typename... Args>
T& OnFirstUse(std::unique_ptr<T>& slot, Args&&... args)
{
    if (!slot)
        slot = std::make_unique<T>(std::forward<Args>(args)...);
    return *slot;
}

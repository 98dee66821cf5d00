#pragma once

#include <functional>
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

// The download's press of the dialog in `slot`: OK while it is shown. A
// dialog never made cannot be shown, so the press leaves it unmade.
template <typename T>
std::function<void()> PressOkIfMade(const std::unique_ptr<T>& slot)
{
    return [&slot] {
        if (slot)
            slot->pressOkIfVisible();
    };
}

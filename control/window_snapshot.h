// The poll's snapshot of the window list: ":" followed by each handle text and a ":" ("", ":10:20:").
#pragma once

#include <string>
#include <string_view>

// Calls visit for every non-empty handle of the snapshot, in order.
template<typename Visit>
void for_each_snapshot_handle(std::string_view snapshot, Visit&& visit)
{
    size_t start = 0;
    while (start < snapshot.size()) {
        size_t end = snapshot.find(':', start + 1);
        if (end == std::string_view::npos)
            return;
        std::string_view handle = snapshot.substr(start + 1, end - start - 1);
        if (!handle.empty())
            visit(handle);
        start = end;
    }
}

// The handle between its two ":", as it stands in a snapshot.
inline std::string delimited_handle(std::string_view handle)
{
    std::string delimited;
    delimited.reserve(handle.size() + 2);
    delimited += ':';
    delimited += handle;
    delimited += ':';
    return delimited;
}

// Whether the handle is one of the snapshot's, as a whole (1234 is not in ":51234:").
inline bool is_in_snapshot(std::string_view snapshot, std::string_view handle)
{
    return snapshot.find(delimited_handle(handle)) != std::string_view::npos;
}

// Takes the handle out of the snapshot, so that the next tick finds it new again.
inline void forget_snapshot_handle(std::string& snapshot, std::string_view handle)
{
    if (auto at = snapshot.find(delimited_handle(handle)); at != std::string::npos)
        snapshot.erase(at, handle.size() + 1);
}

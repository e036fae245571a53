// How a test picture of the effects library is stored: the three kinds of bitmap its exports meet.
#pragma once

namespace norvex::tests {

enum class Storage { BottomUp, TopDown, DeviceDependent };

inline constexpr Storage storages[] = { Storage::BottomUp, Storage::TopDown, Storage::DeviceDependent };

// A short name for traces and probe output.
inline const char* name_of(Storage storage)
{
    switch (storage) {
    case Storage::BottomUp:
        return "up";
    case Storage::TopDown:
        return "down";
    case Storage::DeviceDependent:
        break;
    }
    return "ddb";
}

}

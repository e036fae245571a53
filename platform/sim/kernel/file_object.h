// An open file behind a HANDLE from CreateFileA.
#pragma once

#include "platform/sim/kernel/kernel_object.h"

namespace sim {

struct FileObject : KernelObject {
    FileObject(int descriptor, bool can_read, bool can_write)
        : descriptor(descriptor)
        , can_read(can_read)
        , can_write(can_write)
    {
    }
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int descriptor = -1;
    bool can_read = false;
    bool can_write = false;
};

}

// Clipboard: pictures on the system clipboard.
#pragma once

#include "runtime/picture.h"

namespace runtime {

class ClipboardObject {
public:
    // The picture on the clipboard, as a picture of its own; empty when there is none.
    StdPicture GetData() const;
    // Puts a copy of the picture on the clipboard, replacing what was there.
    void SetData(const StdPicture& picture);
    void Clear();
};

}

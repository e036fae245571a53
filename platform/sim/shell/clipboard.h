// The system clipboard: which window has it open, who owns it, and the data of each format.
#pragma once

#include "platform/api/types.h"

#include <string>
#include <vector>

namespace sim {

// The formats on the clipboard in the order they were put there, for read-back.
std::vector<UINT> clipboard_formats();
// The CF_TEXT data up to its NUL, or empty when there is none.
std::string clipboard_text();
// The size of the CF_BITMAP picture, or {0, 0} when there is none.
SIZE clipboard_bitmap_size();

// Another program copies a text: the clipboard then holds this CF_TEXT and nothing else.
void set_clipboard_text(const std::string& text);

// Forgets the clipboard's data, whose handles the desktop's reset has freed, and closes it.
void reset_clipboard();

}

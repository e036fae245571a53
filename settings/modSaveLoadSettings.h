// modSaveLoadSettings: the settings files in the program folder. "\data.dat" holds one line
// "KEY:value" per stored setting, "\exlst.dat" one executable name of the exclusion list per line.
#pragma once

#include "runtime/program.h"

// The program's version text: the version label's caption from its 9th character on.
std::string ProgramVersion(runtime::Program& program);

// Reads both files into the settings controls; each value that differs runs its control's
// handler. A line without ":" or with a value its control refuses is read past and costs only its
// own setting. The exclusion list is read whether or not "\data.dat" could be; the version text
// is set only when it could.
void LoadSettings(runtime::Program& program);

// Writes both files from the settings controls. Each file is written in full beside the old one
// and then replaces it, so a save that fails leaves the previous file as it was; the user is told
// once, naming the folder. A "\exlst.dat" that the load could not read is never replaced, so
// that no entry the user did not remove is dropped; an edit of the list is then reported unsaved.
void SaveSettings(runtime::Program& program);

// Notes that the user changed the exclusion list.
void NoteExclusionListEdited(runtime::Program& program);

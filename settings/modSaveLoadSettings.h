// modSaveLoadSettings: the settings files in the program folder. "\data.dat" holds one line
// "KEY:value" per stored setting, "\exlst.dat" one executable name of the exclusion list per line.
#pragma once

#include "runtime/program.h"

// The program's version text: the version label's caption from its 9th character on.
std::string ProgramVersion(runtime::Program& program);

// Reads both files into the settings controls; each value that differs runs its control's
// handler. Stops at the first failure (no file, a line without ":", a refused value) and then
// leaves the exclusion list and the version text alone.
void LoadSettings(runtime::Program& program);

// Writes both files from the settings controls. Each file is written in full beside the old one
// and then replaces it, so a save that fails leaves the previous file as it was; the user is told
// once, naming the folder. When the load stopped before the exclusion list, "\exlst.dat" is
// written only after the list was edited, so that the list on disk is never emptied.
void SaveSettings(runtime::Program& program);

// Notes that the user changed the exclusion list.
void NoteExclusionListEdited(runtime::Program& program);

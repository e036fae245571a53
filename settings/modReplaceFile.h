// modReplaceFile: writing a file so that it replaces the old one only when it is complete.
#pragma once

#include <functional>
#include <string>

// Runs `write` on a staging file beside `path`, flushes it to disk and then moves it over `path`.
// A write, flush or move that fails removes the staging file, leaves `path` as it was and raises
// ErrPermissionDenied.
void WriteReplacing(const std::string& path, const std::function<void(const std::string& staging)>& write);

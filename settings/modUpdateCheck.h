// modUpdateCheck: the update server, the product page and the comparison of version texts.
#pragma once

#include "runtime/forms.h"

#include <string>

// The update server's documents and the product page the update notice opens.
inline constexpr const char* UpdateVersionUrl = "http://update.kelmor.example/version.txt";
inline constexpr const char* UpdateNotesUrl = "http://update.kelmor.example/update.rtf";
inline constexpr const char* ProductPageUrl = "http://www.kelmor.example/";

// Whether the dotted version `remote` is newer than `local`, compared part by part as numbers
// (leading blanks skipped, the leading digits taken, none or a missing part counting 0):
// "3.1" and "3.0.1" are newer than "3.0", "2.10" is not.
bool IsNewerVersion(const std::string& remote, const std::string& local);

// The published version text, or empty when the server did not answer with it in time.
std::string FetchPublishedVersion(runtime::Inet& inet);

// The release notes as rich text, or empty when they could not be fetched.
std::string FetchReleaseNotes(runtime::Inet& inet);

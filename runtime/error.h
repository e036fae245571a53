// The runtime's error: what a failing statement raises, and the one idiom that skips it.
#pragma once

#include <string>
#include <utility>

namespace runtime {

// Error numbers the program's statements raise.
enum ErrorNumber : long {
    ErrInvalidProcedureCall = 5,
    ErrOverflow = 6,
    ErrSubscriptOutOfRange = 9,
    ErrTypeMismatch = 13,
    ErrDllNotFound = 48,
    ErrFileNotFound = 53,
    ErrBadFileNameOrNumber = 52,
    ErrFileAlreadyOpen = 55,
    ErrInputPastEndOfFile = 62,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrPathNotFound = 76,
    ErrObjectVariableNotSet = 91,
    ErrControlArrayElementMissing = 340,
    ErrInvalidPropertyValue = 380,
    ErrObjectDoesNotSupport = 438,
    ErrEntryPointNotFound = 453,
    ErrInvalidPicture = 481,
    ErrCancelled = 32755,
    ErrRequestTimedOut = 35761,
};

// A statement of the program failed. Raised inside event handlers only; the event dispatcher
// catches whatever a handler lets through, so it never crosses the message loop.
struct Error {
    long number = 0;
    std::string description;
};

[[noreturn]] inline void raise(long number, std::string description = {})
{
    throw Error { number, std::move(description) };
}

// Runs one statement; if it fails, the failure is dropped and the caller goes on with the next
// statement. Returns whether the statement completed.
template<typename Statement>
bool skip_on_error(Statement&& statement)
{
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (const Error&) {
        return false;
    }
}

}

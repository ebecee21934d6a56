#pragma once

// The one way this program raises an error from a routine to its caller: the routine returns the code,
// the caller decides. Nothing throws across the event loop.
enum class AppError {
    None = 0,
    Conversion, // a value that cannot become the wanted type (text that is not a number, an impossible date)
    Overflow, // a number beyond the width of its type, or a list beyond its limit
    Drawing, // a drawing step that cannot be carried out
};

/// True when the code reports a failure.
inline bool Failed(AppError e)
{
    return e != AppError::None;
}

#include <QString>

/// How an error is reported to the user where a message shows "description followed by number".
QString ErrorDescription(AppError e);
int ErrorNumber(AppError e);

// How the command line fails: one exception, told as one line on standard error, exit status 2.
#pragma once

#include "model/TextLines.h"

#include <string>
#include <string_view>

// A failure of the command line; Text is the line without "quillon: " and without the escapes
// the line gets when it is written.
struct TCommandError {
    std::string Text;
    bool Usage = false;  // a bad argument: the line points at --help
};

// Fails with "<text> (see quillon --help)".
[[noreturn]] void FailUsage(std::string text);

// Fails with "<source>: <text>": what a file or standard input holds, or how reading it failed.
[[noreturn]] void FailInput(const std::string& source, std::string text);

// The line that tells the failure, ending in a line break.
std::string ErrorLine(const TCommandError& error);

// A warning about the input, written while the command goes on: "quillon: <source>: <text>".
std::string WarningLine(const std::string& source, const std::string& text);

// The text as one safe line: control characters (line breaks, ESC, ...) and bytes that are not
// UTF-8 written as \n, \r, \t or \xHH, so no file name, argument or input changes the terminal or
// splits a message.
std::string Escaped(std::string_view text);

// Reading a file or a stream in chunks, bounded: the one loop of every reader of whole files.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

enum class TReadFault { None, NotRegular, TooLarge, Open, Read };

struct TReadError {
    TReadFault Fault = TReadFault::None;
    // "not a regular file", "larger than 64 MiB", or the system's words for a failed open or
    // read ("No such file or directory").
    std::string Reason;
};

// Receives each chunk as it is read; returns false when it wants no more.
using TChunkSink = std::function<bool(std::string_view)>;

// Reads the stream to its end in chunks, at most maxBytes in all. False with the error when a
// read fails or the stream holds more than maxBytes; true at the end or when the sink stops.
bool ReadChunks(std::istream& in, size_t maxBytes, const TChunkSink& sink, TReadError& error);

// The same over a file, which must be a regular one: a folder, a pipe or a device may block or
// never end.
bool ReadRegularFile(const std::string& path, size_t maxBytes, const TChunkSink& sink,
                     TReadError& error);

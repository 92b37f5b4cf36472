// Chunked, bounded reading of streams and regular files.
#include "model/FileChunks.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>

namespace {

constexpr size_t ChunkBytes = size_t{1} << 16;

bool Fail(TReadError& error, TReadFault fault, std::string reason) {
    error.Fault = fault;
    error.Reason = std::move(reason);
    return false;
}

bool TooLarge(TReadError& error, size_t maxBytes) {
    const bool mebibytes = maxBytes % (size_t{1} << 20) == 0;
    return Fail(error, TReadFault::TooLarge,
                "larger than " + std::to_string(mebibytes ? maxBytes >> 20 : maxBytes) +
                    (mebibytes ? " MiB" : " bytes"));
}

// The system's words for the last failure, when it left any.
std::string SystemReason(int code, const char* fallback) {
    return code != 0 ? std::strerror(code) : fallback;
}

}  // namespace

bool ReadChunks(std::istream& in, size_t maxBytes, const TChunkSink& sink, TReadError& error) {
    std::string chunk(ChunkBytes, '\0');
    size_t total = 0;
    while (in) {
        errno = 0;
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const int code = errno;
        if (in.bad()) {
            return Fail(error, TReadFault::Read, SystemReason(code, "read error"));
        }
        const auto got = static_cast<size_t>(in.gcount());
        if (got > maxBytes - total) {
            return TooLarge(error, maxBytes);
        }
        total += got;
        if (got > 0 && !sink(std::string_view(chunk.data(), got))) {
            return true;
        }
    }
    return true;
}

bool ReadRegularFile(const std::string& path, size_t maxBytes, const TChunkSink& sink,
                     TReadError& error) {
    std::error_code status;
    const std::filesystem::file_status type = std::filesystem::status(path, status);
    if (std::filesystem::exists(type) && !std::filesystem::is_regular_file(type)) {
        return Fail(error, TReadFault::NotRegular, "not a regular file");
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Fail(error, TReadFault::Open, SystemReason(errno, "cannot be opened"));
    }
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    if (!sizeError && size > maxBytes) {
        return TooLarge(error, maxBytes);
    }
    return ReadChunks(file, maxBytes, sink, error);
}

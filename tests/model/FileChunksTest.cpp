// Tests of chunked, bounded reading of files and streams.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/FileChunks.h"

namespace {

class FileChunks : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() / ("quillon-chunks-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::filesystem::path dir;
};

std::string Pattern(size_t size) {
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        text[i] = static_cast<char>(i * 7 + i / 251);
    }
    return text;
}

TEST_F(FileChunks, ReadsEveryByteOfAFileUpToTheLimit) {
    const std::string bytes = Pattern(300000);
    const std::string path = Write("f", bytes);
    std::string read;
    TReadError error;
    ASSERT_TRUE(ReadRegularFile(
        path, bytes.size(),
        [&](std::string_view chunk) {
            read.append(chunk);
            return true;
        },
        error));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(ReadRegularFile(
        path, bytes.size() - 1, [](std::string_view) { return true; }, error));
    EXPECT_EQ(error.Fault, TReadFault::TooLarge);
    EXPECT_EQ(error.Reason, "larger than 299999 bytes");
}

TEST_F(FileChunks, TheSinkStopsTheReading) {
    const std::string path = Write("f", Pattern(300000));
    int chunks = 0;
    TReadError error;
    EXPECT_TRUE(ReadRegularFile(
        path, SIZE_MAX, [&](std::string_view) { return ++chunks < 2; }, error));
    EXPECT_EQ(chunks, 2);
}

struct TFaultCase {
    const char* Name;
    const char* Path;  // empty: the test's folder
    TReadFault Fault;
    const char* Reason;
};

class FileFaults : public FileChunks, public ::testing::WithParamInterface<TFaultCase> {};

TEST_P(FileFaults, AreToldWithTheirReason) {
    const TFaultCase& c = GetParam();
    const std::string path = *c.Path != '\0' ? std::string(c.Path) : dir.string();
    TReadError error;
    EXPECT_FALSE(ReadRegularFile(
        path, SIZE_MAX, [](std::string_view) { return true; }, error));
    EXPECT_EQ(error.Fault, c.Fault);
    EXPECT_EQ(error.Reason, c.Reason);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileFaults,
    ::testing::Values(
        TFaultCase{"Folder", "", TReadFault::NotRegular, "not a regular file"},
        TFaultCase{"Device", "/dev/zero", TReadFault::NotRegular, "not a regular file"},
        TFaultCase{"Missing", "/nonexistent/f", TReadFault::Open, "No such file or directory"},
        // The kernel refuses this read even to root: a file that opens but fails on reading.
        TFaultCase{"ReadFails", "/proc/self/mem", TReadFault::Read, "Input/output error"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(StreamChunks, AStreamLongerThanTheLimitFails) {
    std::istringstream in(std::string(5000, 'x'));
    size_t read = 0;
    TReadError error;
    EXPECT_FALSE(ReadChunks(
        in, size_t{1} << 20 >> 9,
        [&](std::string_view chunk) {
            read += chunk.size();
            return true;
        },
        error));
    EXPECT_EQ(error.Reason, "larger than 2048 bytes");
    EXPECT_EQ(read, 0u);  // the one chunk read was already too much
    std::istringstream small("abc");
    EXPECT_TRUE(ReadChunks(
        small, 3, [](std::string_view chunk) { return chunk == "abc"; }, error));
}

}  // namespace

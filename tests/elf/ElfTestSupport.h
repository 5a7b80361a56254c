#pragma once
// Helpers shared by the ELF tests: fixture paths, in-memory models and runs of the binary.
#include "elf/ElfFile.h"
#include "support/ElfWriter.h"
#include "support/RunMorvane.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

inline std::string elfFixture(const std::string& name)
{
    return std::string(MORVANE_TEST_DATA) + "/elf/" + name;
}

// Builds the tool's kind of model (ARM symbols, demangled names) over a copy of `bytes`.
inline std::unique_ptr<ElfFile> loadModel(const std::vector<uint8_t>& bytes)
{
    auto file = std::make_unique<ElfFile>(true, true);
    auto* copy = new uint8_t[bytes.size() + 1];
    if (!bytes.empty())
        memcpy(copy, bytes.data(), bytes.size());
    file->loadImage(copy, uint32_t(bytes.size()));
    return file;
}

inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// Runs morvane with `option` on the file at `path`, expects success without diagnostics
// and returns the listing.
inline std::string listingOf(const std::string& path, const std::string& option)
{
    RunResult r = runMorvane({option, path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

inline std::string listingOf(const std::vector<uint8_t>& image, const std::string& option)
{
    return listingOf(writeTempFile(image, ".elf"), option);
}

// A test name made of `label`, with '_' for everything but letters and digits.
inline std::string testName(std::string label)
{
    for (char& c : label)
        if (!isalnum((unsigned char)c))
            c = '_';
    return label;
}

inline std::string toStd(const QString& text)
{
    return text.toLatin1().toStdString();
}

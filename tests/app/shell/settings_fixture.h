// A start folder with its コンフィグ folder, and raw access to the settings file in it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/settings.h"
#include "temp_dir.h"

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directory(dir.path() / "コンフィグ"); }

    std::vector<unsigned char> bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void writeBytes(const std::vector<unsigned char>& content) const {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
    }
    shell::SettingsBlock load() const {
        shell::SettingsBlock block;
        const shell::SettingsResult result = shell::loadSettings(file, block);
        EXPECT_TRUE(result.ok()) << result.message;
        return block;
    }
    std::vector<std::filesystem::path> configEntries() const {
        std::vector<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
            names.push_back(entry.path().filename());
        return names;
    }

    TempDir dir;
    const std::filesystem::path file = shell::settingsFilePath(dir.path());
};

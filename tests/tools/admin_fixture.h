// Runs leafletadmin commands on a temporary folder, capturing what they print.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "admin.h"
#include "temp_dir.h"

class AdminTest : public ::testing::Test {
  protected:
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return admin::run(args, out, err);
    }
    std::string folder() const { return dir.path().string(); }
    bool printed(const std::string& text) const {
        return out.str().find(text) != std::string::npos;
    }

    TempDir dir;
    std::ostringstream out, err;
};

// The therapeutic class names of Saibun.K3, for turning a class code into its name.
#pragma once

#include <string>
#include <unordered_map>

namespace drugbase {

// Class code -> name (CP932), read once per import on first use.
class ClassNames {
  public:
    // The name of a half-width class code, or the code itself when the file has no record of
    // it. When Saibun.K3 cannot be opened this reports "Error:fopenエラー" once, and every code
    // stays as it is.
    std::string nameOf(const std::string& code);

  private:
    void read();
    bool read_ = false;
    std::unordered_map<std::string, std::string> names_;
};

}  // namespace drugbase

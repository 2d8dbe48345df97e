#pragma once

#include <filesystem>
#include <string_view>

namespace vorlent::tool {

// A file in the system's temporary folder holding the given bytes, removed
// again when the object goes.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string_view contents);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace vorlent::tool

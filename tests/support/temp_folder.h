#pragma once
#include <string>

namespace tamsel::test {

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` as it stands (no line ends added).
  void write(const std::string& name, const std::string& content) const;
  // The file's bytes, or "<missing>" when it cannot be read.
  std::string read(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace tamsel::test

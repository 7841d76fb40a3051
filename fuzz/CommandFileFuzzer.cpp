// Fuzzes start-up: command files that execute each other, and the map info files and preview
// that their `map` lines load, all cut from one input.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "Launcher.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

// The input is cut at each separator into these files, in this order; a file with no part of
// the input does not exist. fuzz/command_files.dict holds the words that reach them.
constexpr std::string_view kSeparator = "\n=====\n";
constexpr const char* kFiles[] = {"auto.kvx",   "a.kvx",      "b.kvx",     "c.kvx",
                                  "data/m.kvx", "data/n.kvx", "data/m.bmp"};

// One application directory for the whole run, emptied of the last input's files each time.
class AppDir {
 public:
  AppDir() : path_(fs::temp_directory_path() / ("kovar-fuzz-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_ / "data");
  }
  ~AppDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  AppDir(const AppDir&) = delete;
  AppDir& operator=(const AppDir&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const AppDir dir;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t begin = 0;
  for (const char* name : kFiles) {
    const fs::path file = dir.Path() / name;
    if (begin > input.size()) {
      std::error_code ignored;
      fs::remove(file, ignored);
      continue;
    }
    std::size_t end = input.find(kSeparator, begin);
    if (end == std::string_view::npos) end = input.size();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(input.data() + begin, static_cast<std::streamsize>(end - begin));
    begin = end + kSeparator.size();
  }

  kovar::test::QuietPlatform platform;
  kovar::Launcher launcher(dir.Path().string(), platform);
  launcher.Main();
  launcher.LoadMap();
  return 0;
}

#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "skirmora-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary folder";
    path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Contents() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The inode of the file (0 if there is none): a new one means the file was replaced.
inline ino_t InodeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Runs each body in a child process of its own; a body calls its argument to wait until every
// child is ready, so they go on at once. Returns each child's exit status (the body's
// result), or 128 + the signal that ended it.
inline std::vector<int> RunInChildren(
    const std::vector<std::function<int(const std::function<void()>&)>>& bodies) {
  int gate[2];
  if (::pipe(gate) != 0) return std::vector<int>(bodies.size(), -1);
  std::vector<pid_t> pids;
  for (const auto& body : bodies) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(gate[1]);
      char ignored;  // read returns once the parent closes its end
      ::_exit(body([&] { (void)!::read(gate[0], &ignored, 1); }));
    }
    pids.push_back(pid);
  }
  ::close(gate[0]);
  ::close(gate[1]);
  std::vector<int> results;
  for (const pid_t pid : pids) {
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
      results.push_back(-1);
    else
      results.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  }
  return results;
}

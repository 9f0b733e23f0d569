#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The few file-system operations the settings file and the runner's pictures need, each
// reporting a failure as a readable text ("writing /home/ann/.config/x.tmp-Q2c7: No space
// left on device").
namespace host::fileops {

using Problem = std::optional<std::string>;

struct FileContents {
  enum class Status { Read, Missing, Failed };
  Status status = Status::Missing;
  std::string bytes;    // Status::Read
  std::string problem;  // Status::Failed
};

// Reads a whole regular file of at most `maxBytes`. Anything else at the path (a folder, a
// named pipe, a device, also behind a link) or a larger file is a failure: opening never
// blocks and reading never runs away.
FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& path);

// Creates the folder and any missing folders above it, each with mode 0700.
Problem MakeFolders(const std::string& folder);

// A ReplaceFile that failed: what went wrong, and whether the file had been replaced all the
// same (only flushing its folder afterwards failed, so a crash of the system could still
// bring the old file back).
struct ReplaceProblem {
  std::string what;
  bool replaced = false;
};

// Replaces the file with `bytes` so that it is either wholly old or wholly new, even after a
// crash or a full disk: a temporary file ("<file>.tmp-XXXXXX") in the same folder, flushed to
// the disk, renamed over the file, then the folder flushed. On a failure before the rename
// the old file is untouched and the temporary file removed. When the path is a symbolic link,
// the link stays and the file it leads to is replaced in the same way; a link to nothing is
// refused.
std::optional<ReplaceProblem> ReplaceFile(const std::string& path, std::string_view bytes);

// For tests: makes ReplaceFile fail at `step` with the system error `error` (without taking
// the step), as a failing disk would, until called with nothing.
enum class ReplaceStep { Write, Flush, Rename, FlushFolder };
void FailReplaceAt(std::optional<ReplaceStep> step, int error = 0);

// Writes `bytes` as the whole of a plain file, made when missing. A symbolic link at the
// path is refused rather than followed, and so is anything else that is not a plain file (a
// named pipe, a device, a folder), without waiting and without writing to it.
Problem WritePlainFile(const std::string& path, std::string_view bytes);

// Whether ReplaceFile could replace the file now, found out by making (and removing) the
// temporary file it would write: so that work meant for the file is not lost at the end.
Problem CheckReplaceable(const std::string& path);

// Removes the temporary files ReplaceFile leaves behind when it is killed half-way, for the
// file at `path` (or the file its link leads to). Call it only while no write can be under
// way (under the lock). Nothing else is touched.
void RemoveLeftoverTemporaries(const std::string& path);

// Renames the file to `path` + `suffix`, or + `suffix` + "-2", "-3"... when that name is
// taken. The name used, or a problem. When the path is a symbolic link, the link stays and
// so does the file it leads to, which gets the new name (in its own folder) besides its
// own; the next ReplaceFile through the link replaces it and leaves the kept one alone.
struct MovedAside {
  std::string path;
  Problem problem;
};
MovedAside MoveAside(const std::string& path, const std::string& suffix);

// An exclusive advisory lock (flock) on a lock file, held until destruction.
class FileLock {
 public:
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&&) = delete;
  ~FileLock();

  // Waits until the lock is ours; creates the lock file when missing.
  static std::optional<FileLock> Take(const std::string& lockPath, std::string& problem);

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace host::fileops

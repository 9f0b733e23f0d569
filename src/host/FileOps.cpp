#include "host/FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace host::fileops {

namespace {

std::string Failure(const std::string& doing, const std::string& path, int error) {
  return doing + " \"" + path + "\": " + std::strerror(error);
}

// Closes a descriptor on every way out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting the error a delayed write may surface only here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// What a file-system object that is not a plain file is, for a message.
std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a plain file";
}

}  // namespace

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  FileContents contents;
  const auto fail = [&](std::string problem) {
    contents.status = FileContents::Status::Failed;
    contents.problem = std::move(problem);
    contents.bytes.clear();
    return contents;
  };
  const auto tooLarge = [&] {
    return fail("\"" + path + "\" is larger than " + std::to_string(maxBytes) +
                " bytes, far more than settings ever take");
  };
  // Deliberate: only a plain file is read, and without O_NONBLOCK opening a named pipe would
  // wait for a writer for ever.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    // ENOTDIR: a folder on the way is a file, so the settings file cannot exist either.
    if (errno == ENOENT || errno == ENOTDIR) return contents;
    return fail(Failure("opening", path, errno));
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return fail(Failure("reading", path, errno));
  if (!S_ISREG(info.st_mode)) return fail("\"" + path + "\" is " + KindOf(info.st_mode));
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return tooLarge();
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(Failure("reading", path, errno));
    if (got == 0) break;
    contents.bytes.append(buffer, static_cast<std::size_t>(got));
    // The file may be growing while it is read.
    if (contents.bytes.size() > maxBytes) return tooLarge();
  }
  contents.status = FileContents::Status::Read;
  return contents;
}

Problem WritePlainFile(const std::string& path, std::string_view bytes) {
  // Not truncated on opening: a device could take that as a write.
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
               0644));
  if (fd.get() < 0) {
    if (errno == ELOOP) return "\"" + path + "\" is a symbolic link";
    // A named pipe nobody reads from.
    if (errno == ENXIO) return "\"" + path + "\" is " + KindOf(S_IFIFO);
    return Failure("opening", path, errno);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Failure("writing", path, errno);
  if (!S_ISREG(info.st_mode)) return "\"" + path + "\" is " + KindOf(info.st_mode);
  if (::ftruncate(fd.get(), 0) != 0 || !WriteAll(fd.get(), bytes) || fd.Close() != 0)
    return Failure("writing", path, errno);
  return std::nullopt;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

Problem MakeFolders(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return std::nullopt;
    return Failure("creating the folder", folder, ENOTDIR);
  }
  const std::string parent = FolderOf(folder);
  if (parent != folder && parent != ".") {
    if (auto problem = MakeFolders(parent)) return problem;
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return Failure("creating the folder", folder, errno);
  }
  return std::nullopt;
}

namespace {

// The file a path names once symbolic links are followed: the path itself when it is no link.
Problem FollowLinks(const std::string& path, std::string& file) {
  struct stat info {};
  file = path;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return std::nullopt;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) {
    if (errno == ENOENT) return "\"" + path + "\" is a link to a file that does not exist";
    return Failure("following the link", path, errno);
  }
  file = resolved;
  return std::nullopt;
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a replacement of `path` writes (behind any link), as it stands now.
struct ReplaceTarget {
  std::string file;
  struct stat old {};
  bool exists = false;
};

Problem FindReplaceTarget(const std::string& path, ReplaceTarget& target) {
  // Deliberate: a link (kept in a dotfiles folder, say) stays a link: the file it leads to is
  // replaced.
  if (auto problem = FollowLinks(path, target.file)) return problem;
  const std::string& file = target.file;
  // Deliberate: a file its owner made read-only is not replaced behind their back, although
  // the folder alone would allow the rename.
  if (::access(file.c_str(), W_OK) != 0 && errno != ENOENT) return Failure("writing", file, errno);
  target.exists = ::stat(file.c_str(), &target.old) == 0;
  if (target.exists && !S_ISREG(target.old.st_mode))
    return "\"" + file + "\" is " + KindOf(target.old.st_mode);
  return std::nullopt;
}

}  // namespace

Problem CheckReplaceable(const std::string& path) {
  ReplaceTarget target;
  if (auto problem = FindReplaceTarget(path, target)) return problem;
  std::string temporary = target.file + ".tmp-XXXXXX";
  Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) return Failure("creating", temporary, errno);
  ::unlink(temporary.c_str());
  return std::nullopt;
}

namespace {

std::optional<ReplaceStep> gFailingStep;
int gFailingError = 0;

// Takes one step of ReplaceFile (`act` reports success), unless a test has it fail.
template <typename Act>
bool Step(ReplaceStep step, Act act) {
  if (gFailingStep == step) {
    errno = gFailingError;
    return false;
  }
  return act();
}

}  // namespace

void FailReplaceAt(std::optional<ReplaceStep> step, int error) {
  gFailingStep = step;
  gFailingError = error;
}

std::optional<ReplaceProblem> ReplaceFile(const std::string& path, std::string_view bytes) {
  ReplaceTarget target;
  if (auto problem = FindReplaceTarget(path, target)) return ReplaceProblem{*problem};
  const std::string& file = target.file;
  const struct stat& old = target.old;
  const bool exists = target.exists;
  std::string temporary = file + ".tmp-XXXXXX";
  Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) return ReplaceProblem{Failure("creating", temporary, errno)};
  const auto fail = [&](const char* doing) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return ReplaceProblem{Failure(doing, temporary, error)};
  };
  // A file the user opened up to others (or closed further) keeps its permissions.
  if (exists && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
    return fail("setting the permissions of");
  }
  if (!Step(ReplaceStep::Write, [&] { return WriteAll(fd.get(), bytes); })) return fail("writing");
  if (!Step(ReplaceStep::Flush, [&] { return ::fsync(fd.get()) == 0; })) return fail("flushing");
  if (fd.Close() != 0) return fail("closing");
  if (!Step(ReplaceStep::Rename, [&] { return ::rename(temporary.c_str(), file.c_str()) == 0; }))
    return fail("renaming");
  // The rename is only durable once the folder is flushed too. Some file systems cannot
  // flush a folder (EINVAL); the file itself is then as safe as they make it.
  const std::string folder = FolderOf(file);
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return ReplaceProblem{Failure("opening the folder", folder, errno), true};
  if (!Step(ReplaceStep::FlushFolder, [&] { return ::fsync(dir.get()) == 0 || errno == EINVAL; }))
    return ReplaceProblem{Failure("flushing the folder", folder, errno), true};
  return std::nullopt;
}

void RemoveLeftoverTemporaries(const std::string& path) {
  std::string file;
  if (FollowLinks(path, file)) return;
  const std::string folder = FolderOf(file);
  // Exactly the names mkostemp gives: "<file>.tmp-" and six characters.
  const std::string prefix = NameOf(file) + ".tmp-";
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> leftovers;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + 6 && name.starts_with(prefix)) leftovers.push_back(name);
  }
  ::closedir(dir);
  for (const std::string& name : leftovers) {
    const std::string leftover = folder + "/" + name;
    struct stat info {};
    if (::lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(leftover.c_str());
  }
}

MovedAside MoveAside(const std::string& path, const std::string& suffix) {
  MovedAside moved;
  std::string file;
  if (auto problem = FollowLinks(path, file)) {
    moved.problem = problem;
    return moved;
  }
  struct stat info {};
  for (int n = 1;; ++n) {
    moved.path = file + suffix;
    if (n > 1) moved.path.append("-").append(std::to_string(n));
    if (::lstat(moved.path.c_str(), &info) != 0) break;
  }
  // Deliberate: behind a link the file gets its second name as a hard link, so that the link
  // never leads to nothing: the next write replaces the file and leaves the kept one alone.
  if (file != path) {
    if (::link(file.c_str(), moved.path.c_str()) != 0)
      moved.problem = Failure("keeping a copy of", file, errno);
  } else if (::rename(path.c_str(), moved.path.c_str()) != 0) {
    moved.problem = Failure("renaming", path, errno);
  }
  return moved;
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) {
  other.fd_ = -1;
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

std::optional<FileLock> FileLock::Take(const std::string& lockPath, std::string& problem) {
  // Non-blocking open: a named pipe in place of the lock file must not hang the game.
  // Deliberate: a link planted there is not followed: it would make the lock file wherever it
  // leads.
  const int fd = ::open(lockPath.c_str(),
                        O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    problem = Failure("opening the lock file", lockPath, errno);
    return std::nullopt;
  }
  FileLock lock(fd);
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      problem = Failure("locking", lockPath, errno);
      return std::nullopt;
    }
  }
  return lock;
}

}  // namespace host::fileops

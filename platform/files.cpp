#include "platform/files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <utility>

#include "platform/text.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

struct HostPath {
  char drive = 0;
  std::string path;    // the host path the program path reaches
  std::string parent;  // its folder (the path itself for the root)
  bool is_root = false;
};

void SetError(FileError* error, FileError value) {
  if (error != nullptr) *error = value;
}

bool EqualIgnoringAsciiCase(const char* a, const std::string& b) {
  size_t i = 0;
  for (; a[i] != '\0' && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return a[i] == '\0' && i == b.size();
}

bool IsFolder(const std::string& host) {
  struct stat info;
  return stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& host) {
  struct stat info;
  return lstat(host.c_str(), &info) == 0;
}

// The entry of `folder` whose name is `name` regardless of ASCII letter case, in the
// host's order; none when there is none. (UTF-8 keeps every non-ASCII byte above 0x7F,
// so folding ASCII letters byte by byte never touches other characters.)
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* entry = readdir(dir)) {
    if (EqualIgnoringAsciiCase(entry->d_name, name)) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

std::optional<HostPath> ResolveHost(const VolumeTable& volumes, std::string_view path) {
  std::optional<WindowsPath> parsed = ParseWindowsPath(path, volumes.Current());
  if (!parsed) return std::nullopt;
  const Volume* volume = volumes.Find(parsed->drive);
  if (volume == nullptr) return std::nullopt;
  HostPath host;
  host.drive = parsed->drive;
  host.path = volume->host_root;
  host.parent = host.path;
  host.is_root = parsed->names.empty();
  bool still_matching = true;  // after the first missing name, the rest is kept as given
  for (const std::string& name : parsed->names) {
    host.parent = host.path;
    std::string base = host.path == "/" ? "" : host.path;
    std::string candidate = base + "/" + name;
    if (still_matching && !Exists(candidate)) {
      std::optional<std::string> other = FindIgnoringCase(host.path, name);
      if (other) {
        candidate = base + "/" + *other;
      } else {
        still_matching = false;
      }
    }
    host.path = std::move(candidate);
  }
  return host;
}

// Why an open or a folder operation failed, in the program's terms.
FileError ErrorOf(int error_number, const HostPath& host) {
  switch (error_number) {
    case ENOENT:
      return IsFolder(host.parent) && !host.is_root ? FileError::NotFound : FileError::PathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FileError::PathNotFound;
    case EEXIST:
    case ENOTEMPTY:
      return FileError::AlreadyExists;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return FileError::AccessDenied;
    case EWOULDBLOCK:
      return FileError::SharingViolation;
    default:
      return FileError::Io;
  }
}

int OpenWithoutBlocking(const std::string& host, int flags, mode_t mode = 0666) {
  int fd;
  do {
    fd = ::open(host.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// True when nobody holds the file: it can be taken with no sharing right now. A file
// that cannot be opened to check is not held by this program.
bool NobodyHolds(const std::string& host, int* held_fd) {
  *held_fd = OpenWithoutBlocking(host, O_RDONLY);
  if (*held_fd < 0) return true;
  if (flock(*held_fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(*held_fd);
    *held_fd = -1;
    return false;
  }
  return true;
}

void CloseQuietly(int fd) {
  if (fd >= 0) ::close(fd);
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

std::string TemporaryNameBeside(const HostPath& host) {
  static std::atomic<unsigned> counter{0};
  return host.parent + (host.parent == "/" ? "" : "/") + ".~tarnix-" + std::to_string(getpid()) + "-" +
         std::to_string(counter++) + ".tmp";
}

}  // namespace

File::~File() {
  Close();
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

bool File::Read(void* buffer, size_t size, size_t* done) {
  if (done != nullptr) *done = 0;
  if (fd_ < 0) return false;
  size_t total = 0;
  char* out = static_cast<char*>(buffer);
  while (total < size) {
    ssize_t got = ::read(fd_, out + total, size - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    total += static_cast<size_t>(got);
  }
  if (done != nullptr) *done = total;
  return true;
}

bool File::Write(const void* buffer, size_t size, size_t* done) {
  if (done != nullptr) *done = 0;
  if (fd_ < 0) return false;
  size_t total = 0;
  const char* in = static_cast<const char*>(buffer);
  while (total < size) {
    ssize_t written = ::write(fd_, in + total, size - total);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (done != nullptr) *done = total;
      return false;
    }
    total += static_cast<size_t>(written);
  }
  if (done != nullptr) *done = total;
  return true;
}

bool File::Seek(uint64_t offset) {
  if (fd_ < 0 || offset > static_cast<uint64_t>(INT64_MAX)) return false;
  return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

std::optional<uint64_t> File::Size() const {
  struct stat info;
  if (fd_ < 0 || fstat(fd_, &info) != 0) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

bool File::Flush() {
  return fd_ >= 0 && fsync(fd_) == 0;
}

void File::Close() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
  fd_ = -1;
}

std::optional<std::string> FileSystem::Resolve(std::string_view path) const {
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) return std::nullopt;
  return host->path;
}

File FileSystem::Open(std::string_view path, Access access, Share share, Disposition disposition,
                      FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) {
    SetError(error, FileError::PathNotFound);
    return File();
  }
  if (host->is_root) {
    SetError(error, FileError::AccessDenied);
    return File();
  }
  int flags = access == Access::Read ? O_RDONLY : access == Access::Write ? O_WRONLY : O_RDWR;
  switch (disposition) {
    case Disposition::OpenExisting:
      break;
    case Disposition::OpenAlways:
    case Disposition::CreateAlways:
      flags |= O_CREAT;
      break;
    case Disposition::CreateNew:
      flags |= O_CREAT | O_EXCL;
      break;
  }
  int fd = OpenWithoutBlocking(host->path, flags);
  if (fd < 0) {
    SetError(error, ErrorOf(errno, *host));
    return File();
  }
  File file(fd);
  struct stat info;
  if (fstat(fd, &info) != 0) {
    SetError(error, FileError::Io);
    return File();
  }
  if (!S_ISREG(info.st_mode)) {  // a folder, or a device or pipe no card holds
    SetError(error, S_ISDIR(info.st_mode) ? FileError::AccessDenied : FileError::Io);
    return File();
  }
  int status = fcntl(fd, F_GETFL);
  if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    SetError(error, FileError::Io);
    return File();
  }
  // flock belongs to the open file description, so a second open in this process
  // conflicts exactly like an open from another process.
  int lock = share == Share::Read ? LOCK_SH : LOCK_EX;
  int locked;
  do {
    locked = flock(fd, lock | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    SetError(error, errno == EWOULDBLOCK ? FileError::SharingViolation : FileError::Io);
    return File();
  }
  // Only now, with the lock held, may an existing file be emptied.
  if (disposition == Disposition::CreateAlways && info.st_size > 0) {
    int truncated = access == Access::Read ? ::truncate(host->path.c_str(), 0) : ftruncate(fd, 0);
    if (truncated != 0) {
      SetError(error, ErrorOf(errno, *host));
      return File();
    }
  }
  return file;
}

std::optional<uint32_t> FileSystem::Attributes(std::string_view path) const {
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  struct stat info;
  if (!host || stat(host->path.c_str(), &info) != 0) return std::nullopt;
  return S_ISDIR(info.st_mode) ? kAttributeDirectory : kAttributeNormal;
}

bool FileSystem::Delete(std::string_view path, FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  struct stat info;
  if (lstat(host->path.c_str(), &info) != 0) {
    SetError(error, ErrorOf(errno, *host));
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    SetError(error, FileError::AccessDenied);
    return false;
  }
  int held_fd = -1;
  if (!NobodyHolds(host->path, &held_fd)) {
    SetError(error, FileError::SharingViolation);
    return false;
  }
  bool removed = ::unlink(host->path.c_str()) == 0;
  if (!removed) SetError(error, ErrorOf(errno, *host));
  CloseQuietly(held_fd);
  return removed;
}

bool FileSystem::CreateFolder(std::string_view path, FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  if (host->is_root || ::mkdir(host->path.c_str(), 0777) != 0) {
    SetError(error, host->is_root ? FileError::AlreadyExists : ErrorOf(errno, *host));
    return false;
  }
  return true;
}

bool FileSystem::RemoveFolder(std::string_view path, FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  if (host->is_root) {  // the volume's own folder is never removed
    SetError(error, FileError::AccessDenied);
    return false;
  }
  struct stat info;
  if (lstat(host->path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
    SetError(error, FileError::PathNotFound);  // a file is not a folder to remove
    return false;
  }
  if (::rmdir(host->path.c_str()) != 0) {
    SetError(error, errno == ENOTEMPTY || errno == EEXIST ? FileError::AccessDenied : ErrorOf(errno, *host));
    return false;
  }
  return true;
}

bool FileSystem::Rename(std::string_view from, std::string_view to, FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> source = ResolveHost(volumes_, from);
  std::optional<HostPath> target = ResolveHost(volumes_, to);
  if (!source || !target) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  if (source->is_root || target->is_root) {
    SetError(error, FileError::AccessDenied);
    return false;
  }
  if (source->drive != target->drive) {  // no moves between volumes
    SetError(error, FileError::AccessDenied);
    return false;
  }
  struct stat info;
  if (lstat(source->path.c_str(), &info) != 0) {
    SetError(error, ErrorOf(errno, *source));
    return false;
  }
  std::string target_path = target->path;
  if (target_path == source->path) {
    // The target name matched the source regardless of case: a change of case only.
    std::optional<WindowsPath> parsed = ParseWindowsPath(to, volumes_.Current());
    if (!parsed || parsed->names.empty()) {
      SetError(error, FileError::PathNotFound);
      return false;
    }
    target_path = target->parent + (target->parent == "/" ? "" : "/") + parsed->names.back();
    if (target_path == source->path) return true;  // the same name: nothing to do
  }
  int held_fd = -1;
  if (!S_ISDIR(info.st_mode) && !NobodyHolds(source->path, &held_fd)) {
    SetError(error, FileError::SharingViolation);
    return false;
  }
  bool moved =
      ::renameat2(AT_FDCWD, source->path.c_str(), AT_FDCWD, target_path.c_str(), RENAME_NOREPLACE) == 0;
  if (!moved && (errno == EINVAL || errno == ENOSYS)) {
    // A host file system without the no-replace flag: check, then rename.
    if (target_path != target->path || !Exists(target_path)) {
      moved = ::rename(source->path.c_str(), target_path.c_str()) == 0;
    } else {
      errno = EEXIST;
    }
  }
  if (!moved) SetError(error, ErrorOf(errno, *target));
  CloseQuietly(held_fd);
  return moved;
}

std::optional<std::vector<FolderEntry>> FileSystem::List(std::string_view folder) const {
  // A search pattern for everything ("X:\Navi\*", "X:\Navi\*.*") lists the folder itself.
  for (std::string_view pattern : {"\\*.*", "/*.*", "\\*", "/*"}) {
    if (folder.size() >= pattern.size() && folder.substr(folder.size() - pattern.size()) == pattern) {
      folder.remove_suffix(pattern.size());
      break;
    }
  }
  std::optional<HostPath> host = ResolveHost(volumes_, folder);
  if (!host) return std::nullopt;
  DIR* dir = opendir(host->path.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    FolderEntry item;
    item.name = Utf8ToAnsi(entry->d_name);
    if (entry->d_type == DT_DIR) {
      item.is_folder = true;
    } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      item.is_folder = IsFolder(host->path + "/" + entry->d_name);
    }
    entries.push_back(std::move(item));
  }
  closedir(dir);
  return entries;
}

std::optional<std::string> FileSystem::ReadAll(std::string_view path) {
  File file = Open(path, Access::Read, Share::Read, Disposition::OpenExisting);
  if (!file.IsOpen()) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    size_t got = 0;
    if (!file.Read(buffer, sizeof buffer, &got)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

bool FileSystem::ReplaceWhole(std::string_view path, std::string_view bytes, FileError* error) {
  SetError(error, FileError::None);
  std::optional<HostPath> host = ResolveHost(volumes_, path);
  if (!host) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  if (host->is_root || IsFolder(host->path)) {
    SetError(error, FileError::AccessDenied);
    return false;
  }
  if (!IsFolder(host->parent)) {
    SetError(error, FileError::PathNotFound);
    return false;
  }
  // Hold the old file without sharing until it has been replaced, so nobody opens it
  // half way.
  int held_fd = -1;
  if (!NobodyHolds(host->path, &held_fd)) {
    SetError(error, FileError::SharingViolation);
    return false;
  }
  struct stat old_info;
  bool had_old = held_fd >= 0 && fstat(held_fd, &old_info) == 0;

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryNameBeside(*host);
    fd = OpenWithoutBlocking(temporary, O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    SetError(error, ErrorOf(errno, *host));
    CloseQuietly(held_fd);
    return false;
  }
  int status = fcntl(fd, F_GETFL);
  bool ok = status >= 0 && fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0;
  if (ok && had_old) ok = fchmod(fd, old_info.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
  int saved_errno = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved_errno = errno;
  }
  if (ok && ::rename(temporary.c_str(), host->path.c_str()) != 0) {
    ok = false;
    saved_errno = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    CloseQuietly(held_fd);
    SetError(error,
             saved_errno == ENOSPC || saved_errno == EFBIG ? FileError::Io : ErrorOf(saved_errno, *host));
    return false;
  }
  CloseQuietly(held_fd);
  // Make the new name lasting too. Some file systems cannot sync a folder (EINVAL);
  // the data itself is already on disk then.
  int folder_fd = OpenWithoutBlocking(host->parent, O_RDONLY | O_DIRECTORY);
  if (folder_fd >= 0) {
    bool synced = fsync(folder_fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(folder_fd);
    if (!synced) {
      SetError(error, FileError::Io);
      return false;
    }
  }
  return true;
}

}  // namespace platform

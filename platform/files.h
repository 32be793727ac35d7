// Files and folders reached by Windows-style paths ("E:\Navi\Data\MapCode.bin",
// code page 932) through the volume table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/volumes.h"

namespace platform {

enum class Access { Read, Write, ReadWrite };
// Read: others may open the file for reading while it is held. None: nobody else may
// open it; a second open fails with SharingViolation, in this process or another.
enum class Share { None, Read };
enum class Disposition { OpenExisting, OpenAlways, CreateNew, CreateAlways };

enum class FileError {
  None,
  NotFound,          // the file is missing (its folder exists)
  PathNotFound,      // the drive or a folder on the way is missing
  AlreadyExists,     // CreateNew on an existing file
  SharingViolation,  // held without sharing (or held for reading when no sharing was asked)
  AccessDenied,      // host permissions, or the path names a folder
  Io,
};

constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeNormal = 0x80;

// An open file. Move-only; closes itself.
class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Reads up to size bytes; *done gets the count (0 at the end of the file). False on error.
  bool Read(void* buffer, size_t size, size_t* done);
  bool Write(const void* buffer, size_t size, size_t* done);
  // Moves to an offset from the start of the file.
  bool Seek(uint64_t offset);
  std::optional<uint64_t> Size() const;
  bool Flush();
  void Close();

 private:
  friend class FileSystem;
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
};

struct FolderEntry {
  std::string name;  // code page 932
  bool is_folder = false;
};

class FileSystem {
 public:
  explicit FileSystem(VolumeTable& volumes) : volumes_(volumes) {}

  VolumeTable& Volumes() { return volumes_; }

  // The host path (UTF-8) of a program path: the drive picks the volume, each name is
  // matched exactly first and then regardless of ASCII letter case (the first match in
  // the host's order); names that do not exist yet are kept as given. None for an
  // unknown drive, a path with no current volume, or a path that windows_path.h refuses
  // ("." and "..", names no FAT volume could hold); operations then fail with PathNotFound.
  std::optional<std::string> Resolve(std::string_view path) const;

  // Opens a file with the given disposition: OpenExisting (NotFound when missing),
  // OpenAlways (created when missing), CreateNew (AlreadyExists when present) or
  // CreateAlways (created, or emptied once it is held). A file held with Share::None
  // cannot be opened again at all; one held with Share::Read can be opened again only
  // with Share::Read; anything else gives SharingViolation, whichever process holds it.
  // A folder gives AccessDenied. The closed File on failure.
  File Open(std::string_view path, Access access, Share share, Disposition disposition,
            FileError* error = nullptr);

  // Attributes of a file or folder (kAttributeDirectory, kAttributeNormal); none when missing.
  std::optional<uint32_t> Attributes(std::string_view path) const;

  // Each of these reports why it failed through `error` when one is given.
  // Deletes a file (not a folder); fails with SharingViolation while the file is open.
  bool Delete(std::string_view path, FileError* error = nullptr);
  // Creates one folder; its parent must exist.
  bool CreateFolder(std::string_view path, FileError* error = nullptr);
  // Removes an empty folder (AccessDenied when it holds anything); never a volume's root.
  bool RemoveFolder(std::string_view path, FileError* error = nullptr);
  // Renames or moves within one volume; fails when `to` exists (a change of letter case
  // of the same name is allowed) and, for a file, while it is open.
  bool Rename(std::string_view from, std::string_view to, FileError* error = nullptr);

  // The entries of a folder in the host's order, without "." and "..". Host names are
  // converted to code page 932; a character it cannot hold becomes '?'. None when the
  // folder cannot be listed. A trailing "\*" or "\*.*" pattern is taken as the folder.
  std::optional<std::vector<FolderEntry>> List(std::string_view folder) const;

  // Reads a whole file (shared reading); none when it cannot be opened or read.
  std::optional<std::string> ReadAll(std::string_view path);

  // Replaces a whole file safely: the bytes go to a temporary file beside it, which is
  // synced and renamed over the old one, and then the folder is synced. A failure at any
  // step leaves the old file as it was. Fails with SharingViolation while the file is held.
  bool ReplaceWhole(std::string_view path, std::string_view bytes, FileError* error = nullptr);

 private:
  VolumeTable& volumes_;
};

}  // namespace platform

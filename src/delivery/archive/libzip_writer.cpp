// The archive writer on libzip. libzip collects every change and writes
// them all when the archive is closed, into a temporary file that it renames
// onto the archive only when everything succeeded; so a cancel or a failure
// is undone by discarding the open archive.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>

#include "delivery/archive/archive_password_check.h"
#include "delivery/archive/archive_writer.h"
#include "delivery/archive/deflate_pool.h"
#include "delivery/archive/dos_time.h"
#include "delivery/archive/sfx_target.h"
#include "delivery/archive/zip_entries.h"

namespace kardomel {
namespace {

bool FileExists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

int64_t FileSize(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

bool CanRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

[[noreturn]] void ThrowArchiveError(const std::string& path, zip_error_t* error) {
  throw EArchiveFault(
      "Das Archiv kann nicht geschrieben werden:\r" + path + "\r" + zip_error_strerror(error), path);
}

// Owns an open archive until it is closed; discarding undoes every change.
class TOpenArchive {
 public:
  explicit TOpenArchive(zip_t* archive) : archive_(archive) {}
  ~TOpenArchive() {
    if (archive_ != nullptr) zip_discard(archive_);
  }
  TOpenArchive(const TOpenArchive&) = delete;
  TOpenArchive& operator=(const TOpenArchive&) = delete;
  zip_t* Get() const { return archive_; }
  // Writes everything; false leaves the archive open for the destructor.
  bool Close() {
    if (zip_close(archive_) != 0) return false;
    archive_ = nullptr;
    return true;
  }

 private:
  zip_t* archive_;
};

class TLibzipArchiveWriter : public TArchiveWriter {
 public:
  TArchiveResult Write(const TArchiveInput& input, TArchiveEvents& events) override;

 private:
  static zip_t* Open(const TArchiveInput& input, bool fresh);
  static void Register(zip_t* archive, TArchiveEvents& events);
  static void Store(zip_t* archive, const TZipEntry& entry, const TArchiveInput& input,
                    TDeflatePool& pool, TArchiveResult& result);
  static zip_int64_t SetFileSource(zip_t* archive, const TZipEntry& entry, zip_int64_t index,
                                   TDeflatePool& pool);
  static void SetOptions(zip_t* archive, zip_uint64_t index, const TArchiveInput& input);
  [[noreturn]] static void ThrowCloseFailure(zip_t* archive, const std::vector<TZipEntry>& entries,
                                             const std::string& path);
};

TArchiveResult TLibzipArchiveWriter::Write(const TArchiveInput& input, TArchiveEvents& events) {
  TArchiveResult result;
  result.ArchivePath = input.ArchivePath;
  if (input.SelfExtracting && !FileExists(input.StubPath))
    throw EArchiveFault("Die Programmdatei für selbstentpackende Archive fehlt:\r" + input.StubPath,
                        input.StubPath);
  const std::vector<TZipEntry> entries = CollectZipEntries(input.Items, input.StorePaths);

  const bool existed = FileExists(input.ArchivePath);
  const bool fresh = !existed || input.SelfExtracting || input.ReplaceExisting;
  if (existed && input.SelfExtracting && !input.ReplaceExisting &&
      !events.ConfirmReplace(input.ArchivePath)) {
    result.Outcome = TArchiveOutcome::Declined;
    return result;
  }
  if (entries.empty() && fresh) {
    result.Outcome = TArchiveOutcome::Empty;
    return result;
  }

  // Declared first, so that it outlives the archive's sources.
  TDeflatePool pool(input.Level);
  TOpenArchive archive(Open(input, fresh));
  if (!fresh && !ArchiveOpensWithPassword(archive.Get(), input.Password)) {
    result.Outcome = TArchiveOutcome::PasswordMismatch;
    return result;
  }
  Register(archive.Get(), events);
  for (const TZipEntry& entry : entries) Store(archive.Get(), entry, input, pool, result);

  events.Progress(0);
  if (!archive.Close()) {
    if (zip_error_code_zip(zip_get_error(archive.Get())) == ZIP_ER_CANCELLED) {
      result.Outcome = TArchiveOutcome::Cancelled;
      return result;
    }
    ThrowCloseFailure(archive.Get(), entries, input.ArchivePath);
  }
  events.Progress(100);
  result.Outcome = !existed ? TArchiveOutcome::Created
                   : fresh  ? TArchiveOutcome::Replaced
                            : TArchiveOutcome::Updated;
  result.Size = FileSize(input.ArchivePath);
  return result;
}

zip_t* TLibzipArchiveWriter::Open(const TArchiveInput& input, bool fresh) {
  zip_error_t error;
  zip_error_init(&error);
  zip_t* archive = nullptr;
  if (input.SelfExtracting) {
    zip_source_t* target = NewSfxTargetSource(input.StubPath, input.ArchivePath, &error);
    if (target != nullptr) {
      archive = zip_open_from_source(target, ZIP_CREATE | ZIP_TRUNCATE, &error);
      if (archive == nullptr) zip_source_free(target);
    }
  } else {
    int code = 0;
    archive = zip_open(input.ArchivePath.c_str(), ZIP_CREATE | (fresh ? ZIP_TRUNCATE : 0), &code);
    if (archive == nullptr) zip_error_init_with_code(&error, code);
  }
  if (archive == nullptr) {
    std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw EArchiveFault("Das Archiv kann nicht geöffnet werden:\r" + input.ArchivePath + "\r" + reason,
                        input.ArchivePath);
  }
  zip_error_fini(&error);
  return archive;
}

void TLibzipArchiveWriter::Register(zip_t* archive, TArchiveEvents& events) {
  zip_register_progress_callback_with_state(
      archive, 0.01,
      [](zip_t*, double done, void* state) {
        static_cast<TArchiveEvents*>(state)->Progress(
            std::clamp(static_cast<int>(done * 100.0), 0, 100));
      },
      nullptr, &events);
  zip_register_cancel_callback_with_state(
      archive,
      [](zip_t*, void* state) -> int {
        return static_cast<TArchiveEvents*>(state)->CancelRequested() ? 1 : 0;
      },
      nullptr, &events);
}

void TLibzipArchiveWriter::Store(zip_t* archive, const TZipEntry& entry, const TArchiveInput& input,
                                 TDeflatePool& pool, TArchiveResult& result) {
  const zip_int64_t existing = zip_name_locate(archive, entry.Name.c_str(), 0);
  if (existing >= 0) {
    zip_stat_t stat;
    const bool known = zip_stat_index(archive, static_cast<zip_uint64_t>(existing), 0, &stat) == 0 &&
                       (stat.valid & ZIP_STAT_MTIME);
    if (entry.IsFolder || (known && !IsNewerThanEntry(entry.ModTime, stat.mtime))) {
      ++result.Kept;
      return;
    }
  }
  zip_int64_t index;
  if (entry.IsFolder)
    index = zip_dir_add(archive, entry.Name.c_str(), ZIP_FL_ENC_UTF_8);
  else
    index = SetFileSource(archive, entry, existing, pool);
  if (index < 0) ThrowArchiveError(input.ArchivePath, zip_get_error(archive));
  if (!entry.IsFolder) SetOptions(archive, static_cast<zip_uint64_t>(index), input);
  ++(existing >= 0 ? result.Replaced : result.Added);
}

zip_int64_t TLibzipArchiveWriter::SetFileSource(zip_t* archive, const TZipEntry& entry,
                                                zip_int64_t index, TDeflatePool& pool) {
  // New entries follow all existing ones, so libzip reads the pooled
  // sources in the order they were queued; a replaced entry keeps its
  // place among the old ones and is deflated by libzip itself, as are
  // large files.
  const bool pooled = index < 0 && entry.Size > 0 && entry.Size <= TDeflatePool::kMaxFileSize;
  zip_source_t* source = pooled ? pool.NewSource(entry.SourcePath, entry.ModTime, zip_get_error(archive))
                                : zip_source_file(archive, entry.SourcePath.c_str(), 0, -1);
  if (source == nullptr)
    throw EArchiveFault("Die Datei kann nicht gelesen werden:\r" + entry.SourcePath,
                        entry.SourcePath);
  if (index >= 0) {
    if (zip_file_replace(archive, static_cast<zip_uint64_t>(index), source, 0) == 0) return index;
  } else {
    index = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index >= 0) return index;
  }
  zip_source_free(source);
  return -1;
}

void TLibzipArchiveWriter::SetOptions(zip_t* archive, zip_uint64_t index,
                                      const TArchiveInput& input) {
  bool set = zip_set_file_compression(archive, index, ZIP_CM_DEFLATE,
                                      static_cast<zip_uint32_t>(input.Level)) == 0;
  if (set && !input.Password.empty())
    set = zip_file_set_encryption(archive, index, ZIP_EM_TRAD_PKWARE, input.Password.c_str()) == 0;
  if (!set) ThrowArchiveError(input.ArchivePath, zip_get_error(archive));
}

void TLibzipArchiveWriter::ThrowCloseFailure(zip_t* archive, const std::vector<TZipEntry>& entries,
                                             const std::string& path) {
  // libzip does not say which source failed; a file that cannot be opened
  // now is the one the user has to hear about.
  for (const TZipEntry& entry : entries) {
    if (!entry.IsFolder && !CanRead(entry.SourcePath))
      throw EArchiveFault("Die Datei kann nicht gelesen werden:\r" + entry.SourcePath,
                          entry.SourcePath);
  }
  ThrowArchiveError(path, zip_get_error(archive));
}

}  // namespace

std::unique_ptr<TArchiveWriter> MakeLibzipArchiveWriter() {
  return std::make_unique<TLibzipArchiveWriter>();
}

}  // namespace kardomel

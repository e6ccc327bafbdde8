// The archive writer of the zip step, behind an interface that tests
// replace; the real one is built on libzip.
#pragma once

#include <memory>

#include "delivery/archive/archive_job.h"

namespace kardomel {

class TArchiveWriter {
 public:
  virtual ~TArchiveWriter() = default;
  // Packs Input.Items into Input.ArchivePath. An existing ordinary archive
  // is updated: an entry is replaced only when its file on disk is newer (at
  // the two-second resolution of ZIP times), all other entries remain. A
  // self-extracting archive is always new. Cancels, refusals and password
  // mismatches are outcomes and leave the disk as it was; failures (an
  // unreadable file, a missing stub, a full disk) throw EArchiveFault and
  // leave no partial archive and no temporary file behind, and never touch
  // an archive that existed before.
  virtual TArchiveResult Write(const TArchiveInput& input, TArchiveEvents& events) = 0;
};

// The libzip writer.
std::unique_ptr<TArchiveWriter> MakeLibzipArchiveWriter();

}  // namespace kardomel

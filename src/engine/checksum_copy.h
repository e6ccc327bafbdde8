// Copies that hand every block to checksums on the way: the bytes pass
// through one buffer in the program instead of the kernel's copy, so that
// they are read from the medium only once.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/checksum.h"
#include "engine/stream64.h"

namespace kardomel {

// Copies Count bytes from Source's position into Dest, giving each block
// written to every one of Digests. Returns the bytes written: fewer when the
// source ends first or a write stops short (then the digests have seen
// exactly the bytes written). Observer as for TStream64::CopyFrom.
int64_t CopyDigesting(TStream64& dest, TStream64& source, int64_t count,
                      const std::vector<TDigest*>& digests, TCopyObserver* observer = nullptr);

// Reads Source from its position to its end into every one of Digests;
// returns the bytes read.
int64_t ReadDigesting(TStream64& source, const std::vector<TDigest*>& digests,
                      TCopyObserver* observer = nullptr);

}  // namespace kardomel

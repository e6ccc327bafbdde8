// A stream that forwards to another one and counts the calls, with a write
// that stops short after a budget of bytes and a read that fails on demand.
// Being no TFileStream64, it also keeps a copy on the block loop.
#pragma once

#include <cerrno>
#include <cstdint>
#include <vector>

#include "engine/stream64.h"
#include "support/errors.h"

namespace kardomel::testing {

class TCountingStream : public TStream64 {
 public:
  explicit TCountingStream(TStream64& inner) : inner_(inner) {}

  uint32_t Read(void* buffer, uint32_t count) override {
    readSizes.push_back(count);
    if (static_cast<int>(readSizes.size()) == failingRead) throw ESystemError(EIO);
    return inner_.Read(buffer, count);
  }
  uint32_t Write(const void* buffer, uint32_t count) override {
    ++writes;
    if (room >= 0 && count > room) count = static_cast<uint32_t>(room);
    uint32_t put = count == 0 ? 0 : inner_.Write(buffer, count);
    if (room >= 0) room -= put;
    return put;
  }
  int64_t Seek(int64_t offset, uint16_t origin) override {
    ++seeks;
    return inner_.Seek(offset, origin);
  }
  void SetSize(int64_t size) override { inner_.SetSize(size); }
  void Flush() override { inner_.Flush(); }

  int Reads() const { return static_cast<int>(readSizes.size()); }
  int Calls() const { return Reads() + writes + seeks; }

  std::vector<uint32_t> readSizes;  // the count of each Read, in order
  int writes = 0;
  int seeks = 0;
  int64_t room = -1;    // bytes writes may still put; negative = no limit
  int failingRead = 0;  // the read (from 1) that raises ESystemError(EIO); 0 = none

 private:
  TStream64& inner_;
};

}  // namespace kardomel::testing

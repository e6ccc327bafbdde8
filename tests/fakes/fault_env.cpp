#include "fakes/fault_env.h"

#include <cerrno>

#include "support/errors.h"
#include "support/globals.h"

namespace kardomel::testing {
namespace {

bool Under(const std::string& folder, const std::string& path) {
  return path == folder || path.compare(0, folder.size() + 1, folder + "/") == 0;
}

// The longest key of Folders under which Path lies; "" when there is none.
template <class Container, class KeyOf>
std::string Longest(const Container& folders, const std::string& path, KeyOf key) {
  std::string best;
  for (const auto& entry : folders) {
    const std::string& folder = key(entry);
    if (Under(folder, path) && folder.size() >= best.size()) best = folder;
  }
  return best;
}

std::string MapKey(const std::pair<const std::string, int64_t>& entry) { return entry.first; }

// Forwards to the real stream, stopping writes and failing reads as told.
class TFaultStream : public TStream64 {
 public:
  // Room returns how many bytes the next write may still put; negative = no limit.
  TFaultStream(std::unique_ptr<TStream64> inner, std::function<int64_t()> room, int readErrorBlock)
      : inner_(std::move(inner)), room_(std::move(room)), readErrorBlock_(readErrorBlock) {}

  uint32_t Read(void* buffer, uint32_t count) override {
    if (++reads_ == readErrorBlock_) throw ESystemError(EIO);
    return inner_->Read(buffer, count);
  }
  uint32_t Write(const void* buffer, uint32_t count) override {
    int64_t room = room_ ? room_() : -1;
    if (room >= 0 && room < count) count = static_cast<uint32_t>(room);
    return count == 0 ? 0 : inner_->Write(buffer, count);
  }
  int64_t Seek(int64_t offset, uint16_t origin) override { return inner_->Seek(offset, origin); }
  void SetSize(int64_t size) override { inner_->SetSize(size); }
  void Flush() override { inner_->Flush(); }

 private:
  std::unique_ptr<TStream64> inner_;
  std::function<int64_t()> room_;
  int readErrorBlock_;
  int reads_ = 0;
};

}  // namespace

std::string TFaultEnv::Strip(const std::string& folder) {
  std::string out = folder;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

void TFaultEnv::SetCapacity(const std::string& folder, int64_t capacity) {
  capacity_[Strip(folder)] = capacity;
}

int64_t TFaultEnv::Used(const std::string& folder) {
  int64_t used = 0;
  for (const std::string& name : Target()->ListFolder(folder)) {
    const std::string path = folder + "/" + name;
    if (!Target()->IsFolder(path)) used += Target()->EntrySize(path);
  }
  return used;
}

std::string TFaultEnv::CapacityFolder(const std::string& path) const {
  return Longest(capacity_, Strip(path), MapKey);
}

std::unique_ptr<TStream64> TFaultEnv::Open(const std::string& path, TOpenMode mode) {
  if (failOpen_.count(path) != 0) throw EStream64Fault("W32 Creation of TFileStream64 failed.");
  std::unique_ptr<TStream64> inner = Target()->Open(path, mode);
  if (mode == TOpenMode::Write) written_.push_back(path);
  std::function<int64_t()> room;
  if (mode == TOpenMode::Write) {
    const std::string limited = CapacityFolder(path);
    auto shortWrite = shortWrite_.find(path);
    if (shortWrite != shortWrite_.end()) {
      const int64_t limit = shortWrite->second;
      TStream64* raw = inner.get();
      room = [raw, limit] {
        int64_t left = limit - raw->Position();
        return left < 0 ? 0 : left;
      };
    } else if (!limited.empty()) {
      const int64_t capacity = capacity_[limited];
      room = [this, limited, capacity] {
        int64_t left = capacity - Used(limited);
        return left < 0 ? 0 : left;
      };
    }
  }
  auto readError = readError_.find(path);
  const int block = mode == TOpenMode::Read && readError != readError_.end() ? readError->second : 0;
  if (!room && block == 0) return inner;
  return std::make_unique<TFaultStream>(std::move(inner), std::move(room), block);
}

int64_t TFaultEnv::FreeSpace(const std::string& path) {
  const std::string stripped = Strip(path);
  const std::string fixed = Longest(free_, stripped, MapKey);
  const std::string limited = CapacityFolder(stripped);
  if (!fixed.empty() && fixed.size() >= limited.size()) return free_[fixed];
  if (!limited.empty()) {
    int64_t left = capacity_[limited] - Used(limited);
    return left < 0 ? 0 : left;
  }
  return Target()->FreeSpace(path);
}

bool TFaultEnv::IsRemovable(const std::string& path) {
  for (const std::string& folder : removable_) {
    if (Under(folder, Strip(path))) return true;
  }
  return Target()->IsRemovable(path);
}

}  // namespace kardomel::testing

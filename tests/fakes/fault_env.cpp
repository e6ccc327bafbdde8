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

constexpr const char* kCannotWrite = "Datei kann nicht geschrieben werden";

// Forwards to the real stream, stopping writes and failing reads as told.
class TFaultStream : public TStream64 {
 public:
  // Room returns how many bytes the next write may still put; negative = no
  // limit. CountWrite is called before each write and may raise.
  TFaultStream(std::unique_ptr<TStream64> inner, std::string path, std::function<int64_t()> room,
               int readErrorBlock, std::function<void()> countWrite)
      : inner_(std::move(inner)),
        path_(std::move(path)),
        room_(std::move(room)),
        readErrorBlock_(readErrorBlock),
        countWrite_(std::move(countWrite)) {}

  uint32_t Read(void* buffer, uint32_t count) override {
    if (++reads_ == readErrorBlock_)
      throw EFileError("Datei kann nicht gelesen werden", path_, EIO);
    return inner_->Read(buffer, count);
  }
  uint32_t Write(const void* buffer, uint32_t count) override {
    if (countWrite_) countWrite_();
    int64_t room = room_ ? room_() : -1;
    if (room >= 0 && room < count) count = static_cast<uint32_t>(room);
    return count == 0 ? 0 : inner_->Write(buffer, count);
  }
  int64_t Seek(int64_t offset, uint16_t origin) override { return inner_->Seek(offset, origin); }
  void SetSize(int64_t size) override { inner_->SetSize(size); }
  void Flush() override { inner_->Flush(); }

 private:
  std::unique_ptr<TStream64> inner_;
  std::string path_;
  std::function<int64_t()> room_;
  int readErrorBlock_;
  std::function<void()> countWrite_;
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

void TFaultEnv::CountOpen(const std::string& path) {
  if (++opens_ == failNthOpen_) throw EFileError("Datei kann nicht geöffnet werden", path, EIO);
  auto failing = failOpen_.find(path);
  if (failing != failOpen_.end())
    throw EFileError("Datei kann nicht geöffnet werden", path, failing->second);
}

std::unique_ptr<TStream64> TFaultEnv::Wrap(std::unique_ptr<TStream64> inner,
                                           const std::string& path, const std::string& faultsOf,
                                           bool writing) {
  std::function<int64_t()> room;
  std::function<void()> countWrite;
  if (writing) {
    written_.push_back(path);
    const std::string limited = CapacityFolder(faultsOf);
    auto shortWrite = shortWrite_.find(faultsOf);
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
    if (failNthWrite_ > 0) {
      countWrite = [this, path] {
        if (++writes_ == failNthWrite_) throw EFileError(kCannotWrite, path, ENOSPC);
      };
    }
  }
  auto readError = readError_.find(path);
  const int block = !writing && readError != readError_.end() ? readError->second : 0;
  if (!room && !countWrite && block == 0) return inner;
  return std::make_unique<TFaultStream>(std::move(inner), path, std::move(room), block,
                                        std::move(countWrite));
}

std::unique_ptr<TStream64> TFaultEnv::Open(const std::string& path, TOpenMode mode) {
  CountOpen(path);
  return Wrap(Target()->Open(path, mode), path, path, mode != TOpenMode::Read);
}

std::unique_ptr<TStream64> TFaultEnv::CreateTempFor(const std::string& target,
                                                    std::string& tempPath) {
  CountOpen(target);
  std::unique_ptr<TStream64> inner = Target()->CreateTempFor(target, tempPath);
  return Wrap(std::move(inner), tempPath, target, true);
}

bool TFaultEnv::DeleteEntry(const std::string& path) {
  if (failDelete_.count(path) != 0) return false;
  return Target()->DeleteEntry(path);
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

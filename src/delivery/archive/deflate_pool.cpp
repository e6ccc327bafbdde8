#include "delivery/archive/deflate_pool.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kardomel {

struct TDeflatePool::TJob {
  std::string Path;
  time_t ModTime = 0;
  bool Done = false;
  bool Released = false;
  int Error = 0;            // errno of a failed read, 0 when none
  std::string Data;         // the raw deflate stream
  uint64_t Size = 0;        // bytes of the file
  uint32_t Crc = 0;
};

// The libzip source of one pooled file.
struct TPooledSource {
  TDeflatePool* Pool;
  std::shared_ptr<TDeflatePool::TJob> Job;
  size_t Position = 0;
  zip_error_t Error;

  int64_t Fail(int zipError, int systemError) {
    zip_error_set(&Error, zipError, systemError);
    return -1;
  }

  int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
      case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
      case ZIP_SOURCE_STAT: {
        Pool->Await(*Job);
        if (Job->Error != 0) return Fail(ZIP_ER_READ, Job->Error);
        auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &Error);
        if (stat == nullptr) return -1;
        zip_stat_init(stat);
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD |
                      ZIP_STAT_MTIME;
        stat->size = Job->Size;
        stat->comp_size = Job->Data.size();
        stat->crc = Job->Crc;
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->mtime = Job->ModTime;
        return sizeof *stat;
      }
      case ZIP_SOURCE_OPEN:
        Pool->Await(*Job);
        if (Job->Error != 0 || Job->Released) return Fail(ZIP_ER_READ, Job->Error);
        Position = 0;
        return 0;
      case ZIP_SOURCE_READ: {
        size_t n = std::min<size_t>(length, Job->Data.size() - Position);
        std::memcpy(data, Job->Data.data() + Position, n);
        Position += n;
        return static_cast<int64_t>(n);
      }
      case ZIP_SOURCE_CLOSE:
        // Written once; the memory goes back for the files still to come.
        Pool->Release(*Job);
        return 0;
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&Error, data, length);
      case ZIP_SOURCE_FREE:
        Pool->Release(*Job);
        zip_error_fini(&Error);
        delete this;
        return 0;
      default:
        return Fail(ZIP_ER_OPNOTSUPP, 0);
    }
  }
};

namespace {

zip_int64_t Callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  return static_cast<TPooledSource*>(state)->Handle(data, length, command);
}

}  // namespace

TDeflatePool::TDeflatePool(int level) : level_(level) {
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  window_ = 2 * threads;
  for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
}

TDeflatePool::~TDeflatePool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (auto& worker : workers_) worker.join();
}

zip_source_t* TDeflatePool::NewSource(const std::string& path, time_t modTime, zip_error_t* error) {
  auto job = std::make_shared<TJob>();
  job->Path = path;
  job->ModTime = modTime;
  auto* state = new TPooledSource{this, job, 0, {}};
  zip_error_init(&state->Error);
  zip_source_t* source = zip_source_function_create(Callback, state, error);
  if (source == nullptr) {
    zip_error_fini(&state->Error);
    delete state;
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(job);
  }
  changed_.notify_all();
  return source;
}

void TDeflatePool::Work() {
  for (;;) {
    std::shared_ptr<TJob> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || (!queue_.empty() && held_ < window_); });
      if (stopping_) return;
      job = queue_.front();
      queue_.pop_front();
      ++held_;
    }
    Deflate(*job);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      job->Done = true;
    }
    changed_.notify_all();
  }
}

void TDeflatePool::Deflate(TJob& job) const {
  int fd = ::open(job.Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    job.Error = errno;
    return;
  }
  z_stream stream{};
  deflateInit2(&stream, level_, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::vector<unsigned char> input(1 << 18);
  uLong crc = crc32(0, Z_NULL, 0);
  int flush = Z_NO_FLUSH;
  do {
    ssize_t got = ::read(fd, input.data(), input.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      job.Error = errno;
      break;
    }
    crc = crc32(crc, input.data(), static_cast<uInt>(got));
    job.Size += static_cast<uint64_t>(got);
    flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(got);
    do {
      size_t used = job.Data.size();
      job.Data.resize(used + (1 << 18));
      stream.next_out = reinterpret_cast<Bytef*>(job.Data.data() + used);
      stream.avail_out = 1 << 18;
      deflate(&stream, flush);
      job.Data.resize(used + (1 << 18) - stream.avail_out);
    } while (stream.avail_out == 0);
  } while (flush != Z_FINISH);
  deflateEnd(&stream);
  ::close(fd);
  job.Crc = static_cast<uint32_t>(crc);
  if (job.Error != 0) std::string().swap(job.Data);
}

void TDeflatePool::Await(TJob& job) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&job] { return job.Done; });
}

void TDeflatePool::Release(TJob& job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A job never started (the archive was discarded first) holds nothing.
    if (job.Released || !job.Done) return;
    job.Released = true;
    std::string().swap(job.Data);
    --held_;
  }
  changed_.notify_all();
}

}  // namespace kardomel

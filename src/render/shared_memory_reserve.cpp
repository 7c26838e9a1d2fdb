#include "render/shared_memory_reserve.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

// The engine hands every file a page reads (each stylesheet, script and font) to the page
// through a 2 MiB shared-memory pipe, and reserves the whole pipe with fallocate first so
// that a full /dev/shm fails the load instead of faulting later. Reserving means zeroing
// 2 MiB for a 20 KB stylesheet, some thirty times a page: about a tenth of the CPU of a
// thumbnail batch. This program replaces the engine's fallocate64 (the executable's
// definition is the one the engine's library binds to) and leaves the reservation out
// when the file system has room to spare, so the pipe takes memory only as it is written.

namespace vistrel {
namespace {

int RealFallocate(int fd, int mode, std::int64_t offset, std::int64_t length) {
  return static_cast<int>(::syscall(SYS_fallocate, fd, mode, offset, length));
}

}  // namespace

bool ReservationNeeded(int fd, int mode, std::int64_t offset, std::int64_t length) {
  if (mode != 0 || offset < 0 || length <= 0) return true;
  struct statfs fs {};
  if (::fstatfs(fd, &fs) != 0 || fs.f_type != TMPFS_MAGIC) return true;
  struct stat st {};
  // A reservation that would make the file longer does something the caller sees.
  if (::fstat(fd, &st) != 0 || offset > st.st_size || length > st.st_size - offset) return true;
  if (fs.f_blocks == 0) return false;  // a tmpfs without a size limit (memfd)
  const auto room =
      static_cast<std::uint64_t>(fs.f_bavail) * static_cast<std::uint64_t>(fs.f_bsize);
  return room < kSharedMemoryRoomToSpare + static_cast<std::uint64_t>(length);
}

}  // namespace vistrel

extern "C" int fallocate64(int fd, int mode, off64_t offset, off64_t length) {
  if (!vistrel::ReservationNeeded(fd, mode, offset, length)) return 0;
  return vistrel::RealFallocate(fd, mode, offset, length);
}

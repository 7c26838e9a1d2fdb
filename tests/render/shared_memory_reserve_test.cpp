#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>

#include "render/shared_memory_reserve.h"

namespace vistrel {
namespace {

constexpr off64_t kPipe = 2 << 20;

using Fallocate = int (*)(int, int, off64_t, off64_t);

// Called the way the engine's library calls it: through the dynamic linker.
Fallocate BoundFallocate() {
  return reinterpret_cast<Fallocate>(::dlsym(RTLD_DEFAULT, "fallocate64"));
}

struct stat StatOf(int fd) {
  struct stat st {};
  EXPECT_EQ(::fstat(fd, &st), 0);
  return st;
}

TEST(SharedMemoryReserve, EnginePipesTakeMemoryOnlyAsTheyAreWritten) {
  // The libraries bind to the program's own definition, not to the C library's.
  void* const library = ::dlsym(RTLD_NEXT, "fallocate64");
  ASSERT_NE(library, nullptr);
  ASSERT_NE(reinterpret_cast<void*>(BoundFallocate()), library);
  const int fd = ::memfd_create("pipe", 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, kPipe), 0);
  EXPECT_EQ(BoundFallocate()(fd, 0, 0, kPipe), 0);
  EXPECT_EQ(StatOf(fd).st_blocks, 0);
  EXPECT_EQ(StatOf(fd).st_size, kPipe);

  const std::string page(20000, 'x');
  ASSERT_EQ(::pwrite(fd, page.data(), page.size(), 0), static_cast<ssize_t>(page.size()));
  EXPECT_LT(StatOf(fd).st_blocks * 512, 64 * 1024);
  ::close(fd);
}

TEST(SharedMemoryReserve, EveryOtherCallReservesForReal) {
  // Growing the file: the caller relies on the new size.
  int fd = ::memfd_create("grow", 0);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(BoundFallocate()(fd, 0, 0, kPipe), 0);
  EXPECT_EQ(StatOf(fd).st_size, kPipe);
  EXPECT_GE(StatOf(fd).st_blocks * 512, kPipe);
  ::close(fd);

  // Past the end, or so far past it that offset + length would overflow.
  fd = ::memfd_create("past", 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, kPipe), 0);
  EXPECT_EQ(BoundFallocate()(fd, 0, kPipe, 4096), 0);
  EXPECT_EQ(StatOf(fd).st_size, kPipe + 4096);
  EXPECT_EQ(BoundFallocate()(fd, 0, std::numeric_limits<off64_t>::max() - 10, 100), -1);
  EXPECT_EQ(StatOf(fd).st_size, kPipe + 4096);
  ::close(fd);

  // Any mode but a plain reservation.
  fd = ::memfd_create("keep", 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, kPipe), 0);
  EXPECT_EQ(BoundFallocate()(fd, FALLOC_FL_KEEP_SIZE, 0, kPipe), 0);
  EXPECT_GE(StatOf(fd).st_blocks * 512, kPipe);
  ::close(fd);

  // A file that is not in memory.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("disk")));
  fd = ::open(path.constData(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, kPipe), 0);
  const bool onTmpfs = !ReservationNeeded(fd, 0, 0, kPipe);
  if (!onTmpfs) {
    EXPECT_EQ(BoundFallocate()(fd, 0, 0, kPipe), 0);
    EXPECT_GE(StatOf(fd).st_blocks * 512, kPipe);
  }
  ::close(fd);

  // Errors come back as the C library gives them.
  errno = 0;
  EXPECT_EQ(BoundFallocate()(-1, 0, 0, kPipe), -1);
  EXPECT_EQ(errno, EBADF);
}

TEST(SharedMemoryReserve, ANearlyFullTmpfsStillGetsTheReservation) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray mountPoint = QFile::encodeName(dir.path());
  // In a child with a mount namespace of its own, so no mount outlives the test.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64m") != 0)
      ::_exit(77);
    const std::string file = mountPoint.toStdString() + "/pipe";
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0 || ::ftruncate(fd, kPipe) != 0) ::_exit(3);
    if (BoundFallocate()(fd, 0, 0, kPipe) != 0) ::_exit(4);
    struct stat st {};
    ::fstat(fd, &st);
    ::_exit(st.st_blocks * 512 >= kPipe ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no tmpfs could be mounted here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the reservation was left out on a 64 MiB tmpfs";
}

}  // namespace
}  // namespace vistrel

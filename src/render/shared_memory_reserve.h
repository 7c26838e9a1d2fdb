#pragma once

#include <cstdint>

namespace vistrel {

// Free space a tmpfs keeps beyond a pipe for the engine's reservation to be left out.
inline constexpr std::uint64_t kSharedMemoryRoomToSpare = 256ull << 20;

// Whether fallocate(fd, mode, offset, length) has to reserve for real: anything but a
// plain reservation inside a tmpfs file that has room to spare.
bool ReservationNeeded(int fd, int mode, std::int64_t offset, std::int64_t length);

}  // namespace vistrel

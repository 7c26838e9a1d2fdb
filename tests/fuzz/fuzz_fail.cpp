// The libFuzzer side of fuzz_target.h: a broken property is a crash with its place.
#include <cstdio>
#include <cstdlib>

#include "fuzz_target.h"

namespace vistrel::fuzz {

void Fail(const char* file, int line, const char* condition) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
  std::abort();
}

}  // namespace vistrel::fuzz

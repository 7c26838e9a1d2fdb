#pragma once

// One fuzz entry per file. Under libFuzzer it is LLVMFuzzerTestOneInput; in the normal test
// suite every entry is registered by name so the kept inputs can be replayed through it.
#include <cstddef>
#include <cstdint>

namespace vistrel::fuzz {

using Entry = int (*)(const uint8_t* data, size_t size);
bool Register(const char* name, Entry entry);
Entry Find(const char* name);
// A property that does not hold: aborts under libFuzzer, fails the test in the suite.
void Fail(const char* file, int line, const char* condition);

}  // namespace vistrel::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? void() : ::vistrel::fuzz::Fail(__FILE__, __LINE__, #condition))

#ifdef VISTREL_FUZZ_REPLAY
#define VISTREL_FUZZ_ENTRY(name)                              \
  static int FuzzEntry_##name(const uint8_t*, size_t);        \
  [[maybe_unused]] static const bool kFuzzRegistered_##name = \
      ::vistrel::fuzz::Register(#name, FuzzEntry_##name);     \
  static int FuzzEntry_##name
#else
#define VISTREL_FUZZ_ENTRY(name) extern "C" int LLVMFuzzerTestOneInput
#endif

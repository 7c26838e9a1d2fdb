// Leaks on purpose, from our own code, so a check can prove that the sanitizer run still
// reports a leak of ours with the engine's suppressions in force.
#include <cstdio>

namespace vistrel {

[[gnu::noinline]] void LeakForTheCanary() {
  // Lost as soon as this returns: volatile so the allocation is not optimised away.
  int* volatile lost = new int[1024];
  lost[0] = 1;
  std::printf("canary at %p\n", static_cast<void*>(lost));
}

}  // namespace vistrel

int main() {
  vistrel::LeakForTheCanary();
  return 0;
}

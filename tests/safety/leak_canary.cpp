// Leaks on purpose, from our own code, so a check can prove that the sanitizer run still
// reports a leak of ours with the engine's suppressions in force.
#include <cstdio>
#include <string>

namespace vistrel {

[[gnu::noinline]] void LeakForTheCanary() {
  // Each block is lost as soon as the next one is made; none is ever freed.
  for (int i = 0; i < 16; ++i) {
    auto* lost = new std::string(1000, static_cast<char>('a' + i));
    std::printf("canary block %d holds %zu bytes\n", i, lost->size());
  }
}

}  // namespace vistrel

int main() {
  vistrel::LeakForTheCanary();
  return 0;
}

/* libvips peer: median wall and CPU (all threads) ms per vips_resize (lanczos3) in process, image
   held in memory. usage: vips_resample_bench RUNS FILE WxH [FILE WxH ...] */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <vips/vips.h>

static double Now(clockid_t clock) {
  struct timespec t;
  clock_gettime(clock, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int Compare(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return x < y ? -1 : x > y;
}

int main(int argc, char** argv) {
  if (VIPS_INIT(argv[0]) || argc < 4 || (argc - 2) % 2 != 0) return 2;
  vips_concurrency_set(2);
  vips_cache_set_max(0);
  const int runs = atoi(argv[1]);
  double* times = malloc(sizeof(double) * runs);
  double* cpu = malloc(sizeof(double) * runs);
  for (int a = 2; a + 1 < argc; a += 2) {
    int width = 0, height = 0;
    if (sscanf(argv[a + 1], "%dx%d", &width, &height) != 2) return 2;
    VipsImage* file = vips_image_new_from_file(argv[a], NULL);
    if (!file) vips_error_exit(NULL);
    VipsImage* source = vips_image_copy_memory(file);
    const double hscale = (double)width / source->Xsize, vscale = (double)height / source->Ysize;
    for (int run = -3; run < runs; ++run) {
      const double start = Now(CLOCK_MONOTONIC), cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
      VipsImage* out = NULL;
      if (vips_resize(source, &out, hscale, "vscale", vscale, "kernel", VIPS_KERNEL_LANCZOS3, NULL))
        vips_error_exit(NULL);
      size_t size = 0;
      void* pixels = vips_image_write_to_memory(out, &size);
      const double end = Now(CLOCK_MONOTONIC), cpuEnd = Now(CLOCK_PROCESS_CPUTIME_ID);
      if (run >= 0) {
        times[run] = end - start;
        cpu[run] = cpuEnd - cpuStart;
      }
      g_free(pixels);
      g_object_unref(out);
    }
    qsort(times, runs, sizeof(double), Compare);
    qsort(cpu, runs, sizeof(double), Compare);
    printf("%dx%d->%dx%d %.2f cpu %.2f\n", source->Xsize, source->Ysize, width, height,
           times[runs / 2], cpu[runs / 2]);
    g_object_unref(source);
    g_object_unref(file);
  }
  free(times);
  free(cpu);
  return 0;
}

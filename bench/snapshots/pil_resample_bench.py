"""Pillow peer: median wall and CPU ms per Image.resize(LANCZOS), in process, image loaded first.
usage: pil_resample_bench.py RUNS FILE WxH [FILE WxH ...]"""
import sys
import time

from PIL import Image

runs = int(sys.argv[1])
for path, size in zip(sys.argv[2::2], sys.argv[3::2]):
    width, height = (int(v) for v in size.split("x"))
    image = Image.open(path).convert("RGB")
    image.load()
    wall, cpu = [], []
    for run in range(runs + 3):
        start, cpu_start = time.perf_counter(), time.process_time()
        image.resize((width, height), Image.LANCZOS)
        if run >= 3:
            wall.append((time.perf_counter() - start) * 1000)
            cpu.append((time.process_time() - cpu_start) * 1000)
    wall.sort()
    cpu.sort()
    print(f"{image.width}x{image.height}->{width}x{height} {wall[runs // 2]:.2f} cpu {cpu[runs // 2]:.2f}")

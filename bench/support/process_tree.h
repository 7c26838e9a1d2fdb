#pragma once

#include <QByteArray>
#include <vector>

namespace vistrel::bench {

// A process and everything below it (the engine's browser, render and GPU processes).
std::vector<qint64> ProcessTree(qint64 root);

// A line of /proc/PID/status or /proc/PID/stat, read whole; empty when the process is gone.
QByteArray ProcFile(qint64 pid, const char* name);

}  // namespace vistrel::bench

// Replays every seed and every kept finding of each fuzz target through the same entry
// function, so a fixed fault stays fixed in the normal suite.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>
#include <string>

#include "fuzz_target.h"

namespace vistrel::fuzz {
namespace {

std::map<std::string, Entry>& Registry() {
  static std::map<std::string, Entry> entries;
  return entries;
}

std::string& CurrentInput() {
  static std::string name;
  return name;
}

}  // namespace

bool Register(const char* name, Entry entry) {
  Registry()[name] = entry;
  return true;
}

Entry Find(const char* name) {
  const auto found = Registry().find(name);
  return found == Registry().end() ? nullptr : found->second;
}

void Fail(const char* file, int line, const char* condition) {
  ADD_FAILURE_AT(file, line) << "property does not hold: " << condition << "\n  input "
                             << CurrentInput();
}

namespace {

class Replay : public ::testing::TestWithParam<std::string> {};

TEST_P(Replay, SeedsAndFindingsPassTheEntry) {
  const Entry entry = Find(GetParam().c_str());
  ASSERT_NE(entry, nullptr) << "no entry registered for " << GetParam();
  const QString name = QString::fromStdString(GetParam());
  int inputs = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const QDir dir(QStringLiteral(VISTREL_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), name));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
      if (info.fileName().startsWith(QLatin1Char('.'))) continue;
      QFile file(info.filePath());
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
      const QByteArray bytes = file.readAll();
      CurrentInput() = info.filePath().toStdString();
      entry(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0) << "no seed corpus for " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay,
                         ::testing::Values("editor", "formatter", "ini", "list", "resample",
                                           "style", "tag_hint", "thumb_naming"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vistrel::fuzz

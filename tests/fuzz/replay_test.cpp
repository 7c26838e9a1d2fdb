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

// The seeds and findings of a target; the pages of the formatter's golden tests also seed
// the targets that read pages.
QFileInfoList InputsOf(const QString& name) {
  QFileInfoList inputs;
  for (const char* kind : {"corpus", "regressions"})
    inputs += QDir(QStringLiteral(VISTREL_FUZZ_DIR "/%1/%2").arg(QLatin1String(kind), name))
                  .entryInfoList(QDir::Files);
  if (name == QLatin1String("editor") || name == QLatin1String("formatter")) {
    const QDir golden(QStringLiteral(VISTREL_FUZZ_DIR "/../formatter/golden"));
    for (const QString& test : golden.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      inputs << QFileInfo(golden.filePath(test + QStringLiteral("/input.htm")));
  }
  return inputs;
}

TEST_P(Replay, SeedsAndFindingsPassTheEntry) {
  const Entry entry = Find(GetParam().c_str());
  ASSERT_NE(entry, nullptr) << "no entry registered for " << GetParam();
  int inputs = 0;
  for (const QFileInfo& info : InputsOf(QString::fromStdString(GetParam()))) {
    QFile file(info.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
    const QByteArray bytes = file.readAll();
    CurrentInput() = info.filePath().toStdString();
    entry(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    ++inputs;
  }
  EXPECT_GT(inputs, 0) << "no seed corpus for " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay,
                         ::testing::Values("cli", "editor", "formatter", "ini", "list", "resample",
                                           "style", "tag_hint", "thumb_naming"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace vistrel::fuzz

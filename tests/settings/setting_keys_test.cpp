// The table of keys against what it promises: the README's defaults block
// names the same keys with the same defaults, and every key fills a field
// of its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <tuple>
#include <vector>

#include "settings/setting_keys.h"

namespace gradoir {
namespace {

using Entry = std::tuple<std::string, std::string, std::string>;  // section, key, default

// The ```ini block under "## Settings", as a teacher reads it.
std::vector<Entry> readmeDefaults() {
  QFile readme(QStringLiteral(GRADOIR_SOURCE_DIR "/README.md"));
  EXPECT_TRUE(readme.open(QIODevice::ReadOnly | QIODevice::Text));
  const QString text = QString::fromUtf8(readme.readAll());
  const qsizetype start = text.indexOf(QStringLiteral("```ini\n"), text.indexOf(QStringLiteral("## Settings")));
  const qsizetype end = text.indexOf(QStringLiteral("```"), start + 7);
  std::vector<Entry> entries;
  if (start < 0 || end < 0) return entries;
  std::string section;
  for (const QString& line : text.mid(start + 7, end - start - 7).split(u'\n', Qt::SkipEmptyParts)) {
    if (line.startsWith(u'[')) {
      section = line.mid(1, line.indexOf(u']') - 1).toStdString();
    } else {
      const qsizetype equals = line.indexOf(u'=');
      entries.emplace_back(section, line.left(equals).toStdString(), line.mid(equals + 1).toStdString());
    }
  }
  return entries;
}

TEST(SettingKeys, AreTheReadmesDefaultsBlock) {
  std::vector<Entry> table;
  for (const SettingKey& key : settingKeys()) {
    table.emplace_back(std::string(key.section), std::string(key.name), std::string(key.defaultValue));
    EXPECT_EQ(findSettingKey(key.name), &key);
  }
  EXPECT_EQ(readmeDefaults(), table);
  EXPECT_EQ(findSettingKey("Inconnu"), nullptr);
}

// A file that sets one key away from its default must change one field of
// the key's own part, and no two keys the same way.
TEST(SettingKeys, EachKeyFillsAFieldOfItsOwn) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Grado.ini"));
  std::vector<AllSettings> seen;
  for (const SettingKey& key : settingKeys()) {
    SCOPED_TRACE(std::string(key.name));
    std::string value = key.defaultValue == "10" ? "5" : "10";
    if (key.kind == SettingKind::Switch) value = key.defaultValue == "1" ? "0" : "1";
    if (key.kind == SettingKind::ClassList || key.kind == SettingKind::Address) value = "/tmp/x";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::fromStdString("[" + std::string(key.section) + "]\n" + std::string(key.name) + "=" +
                                         value + "\n"));
    file.close();

    const AllSettings read = readAllSettings(path);
    EXPECT_EQ(read.settings == Settings{}, key.part != SettingPart::Settings);
    EXPECT_EQ(read.teaching == TeachingSettings{}, key.part != SettingPart::Teaching);
    EXPECT_EQ(readSettings(path), read.settings);
    EXPECT_EQ(readTeachingSettings(path), read.teaching);
    EXPECT_NE(settingValue(key, read), settingValue(key, AllSettings{}));
    for (const AllSettings& other : seen) EXPECT_NE(read, other);
    seen.push_back(read);
  }
}

}  // namespace
}  // namespace gradoir

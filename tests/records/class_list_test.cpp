// Class lists as teachers really save them, and the name used without one.
#include "records/class_list.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace gradoir {
namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
  const QString path = dir.filePath(QStringLiteral("classe.txt"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) ADD_FAILURE() << "cannot write";
  return path;
}

bool hasControlCharacter(const QString& name) {
  return std::any_of(name.cbegin(), name.cend(),
                     [](QChar c) { return c.category() == QChar::Other_Control; });
}

TEST(ClassListTest, WindowsFileWithBomAccentsBlanksAndRepeats) {
  QTemporaryDir dir;
  const QByteArray bytes =
      "\xEF\xBB\xBF"
      "  Zo\xC3\xA9 Lef\xC3\xA8vre \r\n"
      "\r\n"
      "\t\xC3\x89lodie\t  Martin\r\n"
      "   \r\n"
      "Zo\xC3\xA9 Lef\xC3\xA8vre\r\n"
      "No\xC3\xABl\rA\xC3\xAF"
      "cha\n"
      "Fran\xC3\xA7oise";
  EXPECT_EQ(readClassList(writeFile(dir, bytes)),
            (QStringList{"Zoé Lefèvre", "Élodie Martin", "Noël", "Aïcha", "Françoise"}));
}

TEST(ClassListTest, GarbageBytesNeitherCrashNorLeaveControlCharacters) {
  QTemporaryDir dir;
  QByteArray bytes("Zo\xE9\n");  // Latin-1 é
  bytes +=
      "\x01\x02"
      "Bob\x7F\x1B[31m\n";        // controls and an escape sequence
  bytes += "\xFF\xFE\xC0\x80\n";  // nothing but invalid bytes
  bytes += QByteArray(
      "\xC3\0"
      "Nul\n",
      6);  // cut sequence, then NUL
  bytes +=
      "\xC2\x85"
      "Suite\n";  // C1 control
  const QStringList names = readClassList(writeFile(dir, bytes));
  for (const QString& name : names) EXPECT_FALSE(hasControlCharacter(name)) << name.toStdString();
  EXPECT_TRUE(names.contains(QStringLiteral("Zo\uFFFD")));  // Latin-1 é: still recognisable
  EXPECT_TRUE(names.contains(QStringLiteral("Bob[31m")));
  EXPECT_TRUE(names.contains(QStringLiteral("Suite")));
  EXPECT_TRUE(names.contains(QStringLiteral("\uFFFDNul")));
  // A line of garbage alone names nobody.
  EXPECT_EQ(names.size(), 4);
}

TEST(ClassListTest, ThousandNamesKeepTheirOrder) {
  QTemporaryDir dir;
  QByteArray bytes;
  QStringList expected;
  for (int i = 0; i < 1000; ++i) {
    const QString name = QStringLiteral("Élève %1").arg(997 * i % 1000, 4, 10, QLatin1Char('0'));
    expected << name;
    bytes += name.toUtf8() + (i % 2 ? "\r\n" : "\n");
    if (i % 10 == 0) bytes += expected.first().toUtf8() + "\n";  // repeats are dropped
  }
  EXPECT_EQ(readClassList(writeFile(dir, bytes)), expected);
}

TEST(ClassListTest, OversizedFilesAreCutAtWholeNames) {
  QTemporaryDir dir;
  QByteArray manyNames;
  for (int i = 0; i < kMaxClassListNames + 500; ++i) manyNames += "Nom " + QByteArray::number(i) + "\n";
  const QStringList capped = readClassList(writeFile(dir, manyNames));
  ASSERT_EQ(capped.size(), kMaxClassListNames);
  EXPECT_EQ(capped.last(), QStringLiteral("Nom %1").arg(kMaxClassListNames - 1));

  // Lines padded with blanks so that the byte limit comes before the count.
  QByteArray padded;
  int written = 0;
  while (padded.size() <= kMaxClassListBytes)
    padded += "Nom " + QByteArray::number(written++) + QByteArray(300, ' ') + "\n";
  const QStringList cut = readClassList(writeFile(dir, padded));
  ASSERT_LT(cut.size(), written);
  ASSERT_GT(cut.size(), 0);
  EXPECT_EQ(cut.last(), QStringLiteral("Nom %1").arg(cut.size() - 1));

  const QStringList longName = parseClassList(QByteArray(3 * kMaxPupilNameLength, 'a'));
  ASSERT_EQ(longName.size(), 1);
  EXPECT_EQ(longName.first().size(), kMaxPupilNameLength);
}

TEST(ClassListTest, MissingFileOrFolderGivesNoNames) {
  QTemporaryDir dir;
  EXPECT_TRUE(readClassList(dir.filePath(QStringLiteral("absent.txt"))).isEmpty());
  EXPECT_TRUE(readClassList(dir.path()).isEmpty());
}

TEST(ClassListTest, DefaultNameIsTheLoginNameOrAnonyme) {
  const QByteArray user = qgetenv("USER");
  const QByteArray logname = qgetenv("LOGNAME");
  qputenv("USER", "  jdupont ");
  EXPECT_EQ(defaultPupilName(), QStringLiteral("jdupont"));
  qputenv("USER", "");
  qputenv("LOGNAME", "mcurie");
  EXPECT_EQ(defaultPupilName(), QStringLiteral("mcurie"));
  qunsetenv("USER");
  qunsetenv("LOGNAME");
  EXPECT_EQ(defaultPupilName(), QStringLiteral("Anonyme"));
  user.isNull() ? qunsetenv("USER") : qputenv("USER", user);
  logname.isNull() ? qunsetenv("LOGNAME") : qputenv("LOGNAME", logname);
}

}  // namespace
}  // namespace gradoir

namespace gradoir {
namespace {

// Characters that turn the text around would let a name show as another:
// "Bob\u202E gnp.exe" shows as "Bobexe.png".
TEST(ClassListTest, DirectionControlsAreTakenOutOfNames) {
  const struct {
    const char* line;
    const char16_t* name;
  } cases[] = {
      {"Bob\xE2\x80\xAE gnp.exe", u"Bob gnp.exe"},                        // U+202E
      {"\xE2\x80\xAA" "Ana\xE2\x80\xAC", u"Ana"},                          // U+202A, U+202C
      {"L\xC3\xA9o\xE2\x81\xA6" "x\xE2\x81\xA9", u"Léox"},                // U+2066, U+2069
      {"\xE2\x80\x8F" "Sami\xE2\x80\x8E", u"Sami"},                        // U+200F, U+200E
      {"\xD8\xB3\xD8\xA7\xD9\x85\xD9\x8A \xD8\x9C" "Ali", u"سامي Ali"},  // U+061C; Arabic letters stay
      {"Zo\xC3\xA9\xE2\x80\x8D", u"Zoé\u200D"},                            // a joiner is no direction control
  };
  for (const auto& c : cases) {
    const QStringList names = parseClassList(QByteArray(c.line) + "\n");
    ASSERT_EQ(names.size(), 1) << c.line;
    EXPECT_EQ(names.first(), QString::fromUtf16(c.name)) << c.line;
  }
}

// A picture or a huge list given as the class list is said, not swallowed.
TEST(ClassListTest, ABinaryOrOversizedListIsSaid) {
  QTemporaryDir dir;
  QByteArray picture("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
  for (int i = 0; i < 2000; ++i) picture += char(i * 37 % 251) + QByteArray("ab\n");
  QByteArray many;
  for (int i = 0; i < 20000; ++i) many += "Élève " + QByteArray::number(i) + "\n";
  const struct {
    QByteArray bytes;
    const char* said;  // part of the one warning, or "" for none
  } cases[] = {
      {"Zoé\nLéo\n", ""},
      {picture, "n'est pas un fichier texte"},
      {many, "donne 20000 noms : seuls les 10000 premiers sont gardés"},
      {many.repeated(4), "dépasse 1 Mio"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.said);
    const ClassList list = readClassListWithWarnings(writeFile(dir, c.bytes));
    if (*c.said == '\0') {
      EXPECT_EQ(list.warnings, QStringList());
      EXPECT_EQ(list.names.size(), 2);
    } else {
      EXPECT_FALSE(list.warnings.filter(QString::fromUtf8(c.said)).isEmpty()) << list.warnings.join('\n').toStdString();
    }
  }
}

}  // namespace
}  // namespace gradoir

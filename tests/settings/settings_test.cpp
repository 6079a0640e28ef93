// The sections-and-keys reader and the four settings of "Grado.ini".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/ini_file.h"
#include "settings/settings.h"

namespace gradoir {
namespace {

TEST(ParseProfileInteger, DecimalWithBlanksAndSigns) {
  EXPECT_EQ(parseProfileInteger("7"), 7);
  EXPECT_EQ(parseProfileInteger("  7"), 7);
  EXPECT_EQ(parseProfileInteger("\t7"), 7);
  EXPECT_EQ(parseProfileInteger("+12"), 12);
  EXPECT_EQ(parseProfileInteger("-3"), -3);
  EXPECT_EQ(parseProfileInteger("007"), 7);
  EXPECT_EQ(parseProfileInteger("0"), 0);
}

TEST(ParseProfileInteger, HexadecimalForms) {
  EXPECT_EQ(parseProfileInteger("0x0A"), 10);
  EXPECT_EQ(parseProfileInteger("0X0a"), 10);
  EXPECT_EQ(parseProfileInteger("$A"), 10);
  EXPECT_EQ(parseProfileInteger("-$10"), -16);
  EXPECT_EQ(parseProfileInteger("0x7FFFFFFF"), 2147483647);
  // Hexadecimal is a 32-bit pattern.
  EXPECT_EQ(parseProfileInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(parseProfileInteger("$80000000"), INT32_MIN);
}

TEST(ParseProfileInteger, RejectsWhatIsNotAWholeNumber) {
  for (const char* text : {"", " ", "7 exercices", "oui", "true", "non", "0x", "$", "+", "-",
                           "- 5", "5-", "1.5", "1e3", "$G", "0xG1", "12a", "x10", "0b1"}) {
    EXPECT_EQ(parseProfileInteger(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(ParseProfileInteger, SignsGoBeforeDecimalAndDollarButNotBeforeZeroX) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> expected;
  };
  const Case cases[] = {
      {"+12", 12},          {"-12", -12},           {"+$10", 16},
      {"-$10", -16},        {"-$FFFFFFFF", 1},      {"0x10", 16},
      {"0X1f", 31},         {"-0x10", std::nullopt}, {"+0x10", std::nullopt},
      {"-0X10", std::nullopt}, {" 0x10", std::nullopt}, {"\t0x10", std::nullopt},
      {" $10", 16},         {" -$10", -16},         {"0x-5", std::nullopt},
      {"0x+5", std::nullopt}, {"$-5", std::nullopt}, {"$+5", std::nullopt},
      {"--5", std::nullopt}, {"+-5", std::nullopt}, {"-+$5", std::nullopt},
      {"0x$5", std::nullopt}, {"$0x5", std::nullopt}, {"0x0x5", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseProfileInteger(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseProfileInteger, ThirtyTwoBitRange) {
  EXPECT_EQ(parseProfileInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(parseProfileInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseProfileInteger("2147483648"), std::nullopt);
  EXPECT_EQ(parseProfileInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(parseProfileInteger("$100000000"), std::nullopt);
  EXPECT_EQ(parseProfileInteger("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(parseProfileInteger("0x00000000000000000001"), 1);
}

TEST(ProfileFile, SectionsAndKeysIgnoreCaseAndBlanks) {
  const auto p = IniFile::fromText(
      "  [ nbex/serie ]  \r\n"
      "  mesurer =  4 \r\n"
      "TRACER\t=\t0x10\r\n"
      "[Angle]\n"
      "SommetAimante=0\n");
  EXPECT_EQ(p.readText("NbEx/Serie", "Mesurer"), "4");
  EXPECT_EQ(p.readInteger("NbEx/Serie", "Tracer", 99), 16);
  EXPECT_FALSE(p.readBool("ANGLE", "sommetaimante", true));
  // Keys belong to the section opened last.
  EXPECT_EQ(p.readText("Angle", "Mesurer"), "");
  EXPECT_EQ(p.readText("NbEx", "Mesurer"), "");
}

TEST(ProfileFile, KeysBeforeAnySectionAndLinesWithoutEqualsAreIgnored) {
  const auto p = IniFile::fromText("Mesurer=3\n[NbEx/Serie]\nMesurer\n=5\nTracer=2=3\n");
  EXPECT_EQ(p.readInteger("NbEx/Serie", "Mesurer", 10), 10);
  // Only the first equals sign separates key and value.
  EXPECT_EQ(p.readText("NbEx/Serie", "Tracer"), "2=3");
}

TEST(ProfileFile, ByteOrderMarkCountsOnlyAtTheVeryStart) {
  // At the start it is skipped; the second of two is ordinary text.
  EXPECT_EQ(IniFile::fromText("\xEF\xBB\xBF[A]\nk=1\n").readText("A", "k"), "1");
  EXPECT_EQ(IniFile::fromText("\xEF\xBB\xBF\xEF\xBB\xBF[A]\nk=1\n").readText("A", "k"), "");
  // After a blank line or inside the file, "[B]" is no section heading and
  // "m" is no key of its own: the marks are part of the line.
  EXPECT_EQ(IniFile::fromText("\n\xEF\xBB\xBF[A]\nk=1\n").readText("A", "k"), "");
  const auto p = IniFile::fromText("[A]\nk=1\n\xEF\xBB\xBF[B]\nj=2\n\xEF\xBB\xBFm=3\n");
  EXPECT_EQ(p.readText("A", "j"), "2");
  EXPECT_EQ(p.readText("B", "j"), "");
  EXPECT_EQ(p.readText("A", "m"), "");
  EXPECT_EQ(p.readText("A", "\xEF\xBB\xBFm"), "3");
  // Only the whole mark is skipped.
  EXPECT_EQ(IniFile::fromText("\xEF\xBB[A]\nk=1\n").readText("A", "k"), "");
}

TEST(ProfileFile, CarriageReturnIsABlankNotALineEnd) {
  // CR LF line ends read like LF ones, even with blanks before the CR.
  const auto crlf = IniFile::fromText("[A] \r\nk = 1\t\r\n\r\nj=2\r\n");
  EXPECT_EQ(crlf.readText("A", "k"), "1");
  EXPECT_EQ(crlf.readText("A", "j"), "2");
  // Inside a line a CR stays in the value.
  EXPECT_EQ(IniFile::fromText("[A]\nk=a\rb\n").readText("A", "k"), "a\rb");
  // CR alone ends no line: the whole text is the heading line of section A.
  const auto crOnly = IniFile::fromText("[A]\rk=1\rj=2\r[B]\rk=3\r");
  EXPECT_EQ(crOnly.readText("A", "k"), "");
  EXPECT_EQ(crOnly.readText("A", "j"), "");
  EXPECT_EQ(crOnly.readText("B", "k"), "");
}

TEST(ProfileFile, FirstOccurrenceWinsAcrossRepeatedSections) {
  const auto p = IniFile::fromText("[A]\nk=1\nk=2\n[B]\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(p.readText("A", "k"), "1");
  EXPECT_EQ(p.readText("A", "j"), "4");
}

TEST(ProfileFile, BooleansAreNonZeroIntegers) {
  const auto p = IniFile::fromText("[S]\na=1\nb=2\nc=-1\nd=0\ne=oui\nf=true\n");
  EXPECT_TRUE(p.readBool("S", "a", false));
  EXPECT_TRUE(p.readBool("S", "b", false));
  EXPECT_TRUE(p.readBool("S", "c", false));
  EXPECT_FALSE(p.readBool("S", "d", true));
  EXPECT_FALSE(p.readBool("S", "e", false));
  EXPECT_TRUE(p.readBool("S", "e", true));
  EXPECT_FALSE(p.readBool("S", "f", false));
  EXPECT_FALSE(p.readBool("S", "missing", false));
  EXPECT_TRUE(p.readBool("S", "missing", true));
}

class SettingsFile : public ::testing::Test {
 protected:
  QString write(const QByteArray& bytes) {
    const QString path = m_dir.filePath("Grado.ini");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  QTemporaryDir m_dir;
  const Settings m_defaults{};
};

TEST_F(SettingsFile, DefaultsWhenTheFileIsMissing) {
  const Settings s = readSettings(m_dir.filePath("Grado.ini"));
  EXPECT_EQ(s.measureSeriesLength, 10);
  EXPECT_EQ(s.drawSeriesLength, 10);
  EXPECT_TRUE(s.magneticVertex);
  EXPECT_FALSE(s.horizontalSide);
}

TEST_F(SettingsFile, EveryKeyRead) {
  const Settings s = readSettings(write(
      "[NbEx/Serie]\nMesurer=0x0A\nTracer=3\n[Angle]\nSommetAimante=0\nCoteHorizontal=-1\n"));
  EXPECT_EQ(s, (Settings{10, 3, false, true}));
}

TEST_F(SettingsFile, MissingAndBadValuesKeepTheirOwnDefault) {
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nTracer=3\n")), (Settings{10, 3, true, false}));
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nMesurer=7 exercices\nTracer= 7\n"
                               "[Angle]\nSommetAimante=non\nCoteHorizontal=oui\n")),
            (Settings{10, 7, true, false}));
  EXPECT_EQ(readSettings(write("[nbex/serie]\nmesurer=$A\n")).measureSeriesLength, 10);
  EXPECT_EQ(readSettings(write("[nbex/serie]\nmesurer=5\n")).measureSeriesLength, 5);
  // No range test: zero and negative lengths are read as they are.
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nMesurer=0\nTracer=-2\n")), (Settings{0, -2, true, false}));
}

TEST_F(SettingsFile, ByteOrderMarkAndCrLfLineEnds) {
  EXPECT_EQ(readSettings(write("\xEF\xBB\xBF[NbEx/Serie]\r\nMesurer=5\r\nTracer=3\r\n"
                               "[Angle]\r\nSommetAimante=0\r\nCoteHorizontal=1\r\n")),
            (Settings{5, 3, false, true}));
  // Without a line end after the last value too.
  EXPECT_EQ(readSettings(write("\xEF\xBB\xBF[NbEx/Serie]\r\nMesurer=5\r\nTracer=3")),
            (Settings{5, 3, true, false}));
}

TEST_F(SettingsFile, CrOnlyLineEndsGiveDefaults) {
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\rMesurer=5\rTracer=3\r"
                               "[Angle]\rSommetAimante=0\rCoteHorizontal=1\r")),
            m_defaults);
}

TEST_F(SettingsFile, HexadecimalTakesASignAfterDollarOnly) {
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nMesurer=-$0C\nTracer=+$0C\n")),
            (Settings{-12, 12, true, false}));
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nMesurer=-0x0C\nTracer=+0x0C\n")), m_defaults);
  // Blanks around the value are not part of it: "0x" is then its start.
  EXPECT_EQ(readSettings(write("[NbEx/Serie]\nMesurer=  0x0C  \nTracer=\t0X0c\n")),
            (Settings{12, 12, true, false}));
}

TEST_F(SettingsFile, GarbageAndBinaryFilesGiveDefaults) {
  EXPECT_EQ(readSettings(write("]]]=[[[\n=\n[\n[]\n==Mesurer==\n\xff\xfe\x01")), m_defaults);
  QByteArray binary;
  for (int i = 0; i < 70000; ++i) binary.append(static_cast<char>((i * 7919) & 0xFF));
  EXPECT_EQ(readSettings(write(binary)), m_defaults);
  // A value after binary rubbish, NUL bytes included, is still found.
  EXPECT_EQ(readSettings(write(QByteArray("\0\0\x01\n", 4) + "[Angle]\nCoteHorizontal=1\n")),
            (Settings{10, 10, true, true}));
}

TEST_F(SettingsFile, DirectoryInPlaceOfTheFileGivesDefaults) {
  ASSERT_TRUE(QDir(m_dir.path()).mkdir("Grado.ini"));
  EXPECT_EQ(readSettings(m_dir.filePath("Grado.ini")), m_defaults);
}

TEST_F(SettingsFile, NamedPipeIsNotOpened) {
  // Opening a pipe with no writer would block the start-up for ever.
  const QString path = m_dir.filePath("Grado.ini");
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  EXPECT_EQ(readSettings(path), m_defaults);
}

TEST_F(SettingsFile, HugeFileIsReadOnlyUpToItsFirstMebibyte) {
  const std::int64_t limit = IniFile::kMaxReadBytes;
  QByteArray bytes("[NbEx/Serie]\nMesurer=4\n");
  QByteArray filler(64, 'x');
  filler.append('\n');
  while (bytes.size() < limit + 4096) bytes.append(filler);
  bytes.append("Tracer=3\n");
  bytes.append(QByteArray(8 << 20, 'y'));  // 8 MiB more on one line
  const Settings s = readSettings(write(bytes));
  EXPECT_EQ(s.measureSeriesLength, 4);
  EXPECT_EQ(s.drawSeriesLength, 10);
}

TEST_F(SettingsFile, ValueCutAtTheReadLimitIsNotReadShortened) {
  const std::int64_t limit = IniFile::kMaxReadBytes;
  QByteArray bytes("[NbEx/Serie]\n");
  bytes.append(QByteArray(limit - bytes.size() - 10, ' '));
  bytes.append("\nMesurer=12345\n");  // "12345" straddles the limit
  ASSERT_LT(bytes.indexOf("Mesurer"), limit);
  ASSERT_GT(bytes.indexOf("12345") + 5, limit);
  EXPECT_EQ(readSettings(write(bytes)).measureSeriesLength, 10);
}

TEST(SettingsFilePath, BesideTheExecutable) {
  int argc = 1;
  char name[] = "settings_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  const QString path = settingsFilePath();
  EXPECT_EQ(QFileInfo(path).fileName(), "Grado.ini");
  EXPECT_EQ(QFileInfo(path).absolutePath(), QCoreApplication::applicationDirPath());
}

TEST_F(SettingsFile, TeachingAidsOnUnlessSwitchedOff) {
  const TeachingSettings on{true, true};
  EXPECT_EQ(readTeachingSettings(m_dir.filePath("Grado.ini")), on);
  EXPECT_EQ(readTeachingSettings(write("[NbEx/Serie]\nMesurer=5\n")), on);
  EXPECT_EQ(readTeachingSettings(write("[Aide]\nExplications=0\nCorrection=0\n")), (TeachingSettings{false, false}));
  EXPECT_EQ(readTeachingSettings(write("[aide]\ncorrection=0\n")), (TeachingSettings{true, false}));
  EXPECT_EQ(readTeachingSettings(write("[Aide]\nExplications=0x0\nCorrection=non\n")), (TeachingSettings{false, true}));
  EXPECT_EQ(readTeachingSettings(write("[Aide]\nExplications=-1\nCorrection=2\n")), on);
  // The teaching aids do not disturb the four settings, nor they them.
  EXPECT_EQ(readSettings(write("[Aide]\nExplications=0\n[Angle]\nSommetAimante=0\n")),
            (Settings{10, 10, false, false}));
}

}  // namespace
}  // namespace gradoir

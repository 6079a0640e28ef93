// The translations: complete, in step with the sources, built into the
// program, and chosen from the user's interface languages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <set>
#include <vector>

#include "app/translations.h"

namespace gradoir::test {
namespace {

struct Message {
  QString context;
  QString source;
  QStringList translations;  // one, or one per plural form
  QString type;              // "unfinished", "vanished", "obsolete" or empty
};

// Every message of a Qt Linguist file, read without the toolkit's own loader.
std::vector<Message> readTs(const QString& path) {
  std::vector<Message> messages;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return messages;
  QXmlStreamReader xml(&file);
  QString context;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("message")) {
      messages.push_back({context, {}, {}, {}});
    } else if (xml.name() == QLatin1String("source") && !messages.empty()) {
      messages.back().source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation") && !messages.empty()) {
      messages.back().type = xml.attributes().value(QLatin1String("type")).toString();
      // Plural forms come as <numerusform> children.
      QString text;
      while (!(xml.isEndElement() && xml.name() == QLatin1String("translation")) && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) text += xml.text();
        if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
          messages.back().translations << xml.readElementText();
        }
      }
      if (messages.back().translations.isEmpty()) messages.back().translations << text;
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return messages;
}

std::string where(const Message& m) { return (m.context + QStringLiteral(": ") + m.source).toStdString(); }

std::multiset<QString> placeholders(const QString& text) {
  static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
  std::multiset<QString> found;
  for (const QRegularExpressionMatch& m : marker.globalMatch(text)) found.insert(m.captured());
  return found;
}

// An accelerator is a single '&' before a letter ("&&" shows an ampersand).
bool hasAccelerator(const QString& text) {
  static const QRegularExpression single(QStringLiteral("(^|[^&])&[^&\\s]"));
  return single.match(text).hasMatch();
}

QStringList translationFiles() {
  return QDir(QStringLiteral(GRADOIR_TRANSLATIONS_DIR))
      .entryList({QStringLiteral("gradoir_*.ts")}, QDir::Files);
}

TEST(Translations, EveryFileIsCompleteAndKeepsPlaceholdersAndAccelerators) {
  const QStringList files = translationFiles();
  ASSERT_TRUE(files.contains(QStringLiteral("gradoir_en.ts"))) << files.join(u' ').toStdString();
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    const std::vector<Message> messages = readTs(QStringLiteral(GRADOIR_TRANSLATIONS_DIR "/") + name);
    ASSERT_GT(messages.size(), 50u);
    for (const Message& m : messages) {
      EXPECT_TRUE(m.type.isEmpty()) << where(m) << " is " << m.type.toStdString();
      for (const QString& t : m.translations) {
        EXPECT_FALSE(t.trimmed().isEmpty()) << where(m);
        EXPECT_EQ(placeholders(t), placeholders(m.source)) << where(m) << " -> " << t.toStdString();
        EXPECT_EQ(hasAccelerator(t), hasAccelerator(m.source)) << where(m) << " -> " << t.toStdString();
      }
    }
  }
}

// lupdate, run on the sources as the build's update_translations does, finds
// nothing new and nothing gone.
TEST(Translations, SourcesHoldNoTextTheFilesLack) {
  const QString lupdate = QStringLiteral(GRADOIR_LUPDATE);
  if (!QFileInfo(lupdate).isExecutable()) GTEST_SKIP() << "lupdate not found at " << lupdate.toStdString();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QDir root(QStringLiteral(GRADOIR_SOURCE_DIR));
  QStringList folders;
  for (const QString& folder : QStringLiteral(GRADOIR_TRANSLATED_FOLDERS).split(u',')) {
    folders << root.filePath(folder);
  }
  for (const QString& name : translationFiles()) {
    SCOPED_TRACE(name.toStdString());
    const QString original = QStringLiteral(GRADOIR_TRANSLATIONS_DIR "/") + name;
    const QString copy = dir.filePath(name);
    ASSERT_TRUE(QFile::copy(original, copy));
    QProcess run;
    run.start(lupdate, QStringList{QStringLiteral("-locations"), QStringLiteral("none"),
                                   QStringLiteral("-source-language"), QStringLiteral("fr"),
                                   QStringLiteral("-I"), root.path()} +
                           folders + QStringList{QStringLiteral("-ts"), copy});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const std::vector<Message> before = readTs(original);
    const std::vector<Message> after = readTs(copy);
    for (const Message& m : after) {
      EXPECT_TRUE(m.type.isEmpty()) << where(m) << " is " << m.type.toStdString()
                                    << ": run the update_translations target and translate it";
    }
    EXPECT_EQ(after.size(), before.size());
  }
}

TEST(Translations, EnglishIsBuiltIntoTheProgram) {
  EXPECT_TRUE(availableLanguages().contains(QStringLiteral("fr")));
  EXPECT_TRUE(availableLanguages().contains(QStringLiteral("en")));
  QTranslator english;
  ASSERT_TRUE(english.load(QStringLiteral(":/i18n/gradoir_en.qm")));
  // Every message of the file, as the program will find it.
  for (const Message& m : readTs(QStringLiteral(GRADOIR_TRANSLATIONS_DIR "/gradoir_en.ts"))) {
    const QByteArray context = m.context.toUtf8();
    const QByteArray source = m.source.toUtf8();
    EXPECT_EQ(english.translate(context.constData(), source.constData()), m.translations.value(0))
        << where(m);
  }
}

TEST(Translations, LanguageIsTheFirstOfTheUsersThatTheProgramSpeaks) {
  const QStringList available{QStringLiteral("fr"), QStringLiteral("en")};
  const struct {
    QStringList ui;
    const char* chosen;
  } cases[] = {
      {{QStringLiteral("en-GB"), QStringLiteral("en")}, "en"},
      {{QStringLiteral("de-DE"), QStringLiteral("de"), QStringLiteral("en-US")}, "en"},
      {{QStringLiteral("fr-BE"), QStringLiteral("en-US")}, "fr"},
      {{QStringLiteral("de-DE"), QStringLiteral("es")}, "fr"},  // nothing known: French
      {{QStringLiteral("C")}, "fr"},
      {{}, "fr"},
      {{QStringLiteral("EN_us.UTF-8")}, "en"},
      {{QStringLiteral("eng")}, "fr"},  // not English, only like it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chooseLanguage(c.ui, available), QLatin1String(c.chosen)) << c.ui.join(u',').toStdString();
  }
  EXPECT_EQ(chooseLanguage({QStringLiteral("en")}, {QStringLiteral("fr")}), QLatin1String("fr"));
}

}  // namespace
}  // namespace gradoir::test

// The program's answers to bad starts: a clear message and a defined exit, never a crash.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/fake_services.h"

#ifdef TARNIX_MANAGER_PROGRAM
namespace {

struct ProgramRun {
  int exit_code = -1;
  QString errors;
  QString output;
};

ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(TARNIX_MANAGER_PROGRAM), arguments);
  ProgramRun run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exit_code = process.exitCode();
  run.errors = QString::fromLocal8Bit(process.readAllStandardError());
  run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
  return run;
}

QProcessEnvironment Offscreen() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return environment;
}

TEST(Program, BadStartsGiveAMessageAndADefinedExit) {
  testing_support::TempFolder temp;
  const QString missing = QString::fromStdString(temp.path() + "/no-such-card");
  QProcessEnvironment headless = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    headless.remove(QString::fromUtf8(name));
  // A font set-up that finds no font at all.
  const QString fonts_conf = QString::fromStdString(temp.path() + "/fonts.conf");
  QFile conf(fonts_conf);
  ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
  conf.write(
      "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>"
      "<dir>/nonexistent</dir><cachedir>/nonexistent-cache</cachedir></fontconfig>");
  conf.close();
  QProcessEnvironment no_fonts = Offscreen();
  no_fonts.insert(QStringLiteral("FONTCONFIG_FILE"), fonts_conf);
  no_fonts.insert(QStringLiteral("QT_QPA_FONTDIR"), QStringLiteral("/nonexistent"));

  struct Case {
    const char* what;
    QStringList arguments;
    QProcessEnvironment environment;
    int exit_code;
    const char* message;
  } cases[] = {
      {"card folder missing", {QStringLiteral("--card"), missing}, Offscreen(), 2, "cannot attach"},
      {"unknown option", {QStringLiteral("--frobnicate")}, Offscreen(), 2, "unknown or incomplete option"},
      {"option without value", {QStringLiteral("--card")}, Offscreen(), 2, "unknown or incomplete option"},
      {"no display", {}, headless, 3, "no display"},
      {"no fonts",
       {QStringLiteral("--screenshots"), QString::fromStdString(temp.path())},
       no_fonts,
       4,
       "no Japanese font"},
      {"picture folder not writable",
       {QStringLiteral("--screenshots"), QStringLiteral("/proc/no-such/pictures")},
       Offscreen(),
       5,
       "cannot create"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = RunProgram(c.arguments, c.environment);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.what << "\n" << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << c.what << "\n"
                                                                   << run.errors.toStdString();
  }
}

TEST(Program, ScreenshotsRenderEveryPageOfACard) {
  testing_support::TempFolder card, pictures;
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(card.path() + "/Navi")));
  QFile program(QString::fromStdString(card.path() + "/Navi/Navi.exe"));
  ASSERT_TRUE(program.open(QIODevice::WriteOnly));
  program.close();
  const ProgramRun run =
      RunProgram({QStringLiteral("--card"), QString::fromStdString(card.path() + ":F"),
                  QStringLiteral("--screenshots"), QString::fromStdString(pictures.path())},
                 Offscreen());
  ASSERT_EQ(run.exit_code, 0) << run.errors.toStdString();
  const QStringList printed = run.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(printed.size(), 7) << run.output.toStdString();
  for (const QString& path : printed) {
    QImage image(path);
    EXPECT_EQ(image.size(), QSize(798, 564)) << path.toStdString();
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(0, 0, 128)) << path.toStdString();
  }
}

}  // namespace
#endif

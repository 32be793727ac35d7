// tarnix-manager: the window on the host's drives. Options only attach folders as cards and
// render pictures; they change nothing in what the program does.
//   tarnix-manager [--card DIR[:LETTER]]... [--screenshots DIR]
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "card/orbis.h"
#include "card/route_file.h"
#include "geo/boundary.h"
#include "log/log.h"
#include "pages/install_pages.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/host/host_volumes.h"
#include "platform/text.h"
#include "ui/qt/binding.h"
#include "ui/qt/fonts.h"
#include "ui/qt/shell_services.h"
#include "ui/qt/widgets.h"

namespace {

constexpr int kBadUsage = 2;
constexpr int kNoDisplay = 3;
constexpr int kNoFont = 4;
constexpr int kCannotWrite = 5;

struct CardOption {
  std::string folder;
  char letter = 0;
};

struct Options {
  std::vector<CardOption> cards;
  std::string screenshots;  // empty: run the window
};

void Usage() {
  std::fprintf(
      stderr,
      "usage: tarnix-manager [--card DIR[:LETTER]]... [--screenshots DIR]\n"
      "  --card DIR[:LETTER]  attach a folder as a removable FAT32 card (at LETTER, E: on by default)\n"
      "  --screenshots DIR    render every page to PNG files in DIR and exit\n");
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--card" || arg == "--screenshots") && i + 1 < argc) {
      std::string value = argv[++i];
      if (arg == "--screenshots") {
        options->screenshots = value;
        continue;
      }
      CardOption card;
      const size_t n = value.size();
      if (n > 2 && value[n - 2] == ':' && std::isalpha(static_cast<unsigned char>(value[n - 1]))) {
        card.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(value[n - 1])));
        value.resize(n - 2);
      }
      card.folder = value;
      options->cards.push_back(card);
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      std::exit(0);
    } else {
      std::fprintf(stderr, "tarnix-manager: unknown or incomplete option '%s'\n", arg.c_str());
      Usage();
      return false;
    }
  }
  return true;
}

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

// While pictures are rendered nobody answers: each box is written to the error output and
// answered with OK or No, the answer that changes nothing.
class UnattendedMessageBox : public platform::MessageBox {
 public:
  platform::MessageAnswer Show(std::string_view text, std::string_view caption,
                               platform::MessageButtons buttons, bool) override {
    std::fprintf(stderr, "message [%s]: %s\n", platform::AnsiToUtf8(caption).c_str(),
                 platform::AnsiToUtf8(text).c_str());
    return buttons == platform::MessageButtons::Ok ? platform::MessageAnswer::Ok
                                                   : platform::MessageAnswer::No;
  }
};

class NoFolderPicker : public platform::FolderPicker {
 public:
  std::optional<std::string> Pick(std::string_view) override { return std::nullopt; }
};

// Goes to each page the way the main menu does (a page without a card is shown as it is)
// and saves the window's picture.
int RenderPages(TFNaviEdit& window, ui_qt::Binding& binding, const QString& folder) {
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "tarnix-manager: cannot create the folder %s\n", folder.toLocal8Bit().constData());
    return kCannotWrite;
  }
  struct PageShot {
    const char* file;
    const char* open;
    const char* back;
  } shots[] = {
      {"0-main-menu.png", nullptr, nullptr},
      {"1-destination.png", "btnDestination", "btnGoManu"},
      {"2-favorites.png", "btnEditBookmark", "btnGoMenu1"},
      {"3-user-points.png", "btnEditUserPoint", "btnGoMenu2"},
      {"4-gps-data.png", "btnSetGPS", "btnGoManu3"},
      {"5-firmware.png", "btnSetFirm", "btnGoMenu4"},
      {"6-navi-software.png", "btnSetNavi", "btnGoMenu5"},
  };
  ui::Form& form = window.Form();
  binding.Window().ShowCentred();
  for (int page = 0; page < 7; ++page) {
    const PageShot& shot = shots[page];
    if (shot.open != nullptr) {
      if (ui::Control* button = form.Find(shot.open)) button->Click();
      if (window.nbMainMenu->PageIndex() != page) window.nbMainMenu->SetPageIndex(page);
    }
    QApplication::processEvents();
    const QString path = QDir(folder).absoluteFilePath(QString::fromUtf8(shot.file));
    if (!binding.Window().grab().save(path, "PNG")) {
      std::fprintf(stderr, "tarnix-manager: cannot write %s\n", path.toLocal8Bit().constData());
      return kCannotWrite;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    if (shot.back != nullptr) {
      if (ui::Control* button = form.Find(shot.back)) button->Click();
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return kBadUsage;
  const bool rendering = !options.screenshots.empty();
  if (rendering && std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!rendering && !HasDisplay()) {
    std::fprintf(stderr,
                 "tarnix-manager: no display (DISPLAY or WAYLAND_DISPLAY is not set); "
                 "use --screenshots DIR to render the pages without one\n");
    return kNoDisplay;
  }

  platform::VolumeTable volumes;
  for (const CardOption& card : options.cards) {
    const char letter = volumes.AttachFolder(card.folder, card.letter);
    if (letter == 0 || (card.letter != 0 && letter != card.letter)) {
      std::fprintf(stderr, "tarnix-manager: cannot attach '%s'%s%c: %s\n", card.folder.c_str(),
                   card.letter != 0 ? " at " : "", card.letter != 0 ? card.letter : ' ',
                   letter == 0 ? "no such folder, or no free drive letter" : "that drive letter is taken");
      return kBadUsage;
    }
  }

  QApplication app(argc, argv);
  ui_qt::InitResources();
  if (!ui_qt::HasJapaneseFont()) {
    std::fprintf(stderr,
                 "tarnix-manager: no Japanese font is installed (for example fonts-ipafont-gothic); "
                 "the window would show boxes instead of text\n");
    return kNoFont;
  }

  platform::host::HostVolumes host(volumes);
  if (!host.Refresh()) {
    std::fprintf(stderr,
                 "tarnix-manager: the mount table cannot be read; only attached folders are drives\n");
  }

  platform::FileSystem files(volumes);
  platform::SystemClock clock;
  ui_qt::QtMessageBox window_boxes;
  UnattendedMessageBox unattended_boxes;
  platform::MessageBox& message_box =
      rendering ? static_cast<platform::MessageBox&>(unattended_boxes) : window_boxes;
  ui_qt::QtFolderPicker window_picker(volumes);
  NoFolderPicker no_picker;
  platform::FolderPicker& picker =
      rendering ? static_cast<platform::FolderPicker&>(no_picker) : window_picker;
  ui_qt::QtWebBrowser browser;
  ui_qt::QtFolderCopier copier(files);
  platform::StderrDebugOutput debug_output;
  const platform::Services services{volumes, files,   clock,  message_box,
                                    picker,  browser, copier, debug_output};

  // The four objects that live once per process.
  CLog log;
  geo::CBoundary boundary;
  card::COrbis orbis(files, clock, message_box);
  card::AdbImage route;

  TFNaviEdit window(services, log, boundary, orbis, route);
  pages::InstallPages(window);
  window.FormCreate();
  int result = 0;
  {
    ui_qt::Binding binding(window.Form());
    window_boxes.SetOwner(&binding.Window());
    window_picker.SetOwner(&binding.Window());
    copier.SetOwner(&binding.Window());

    // Drives come and go; a vanished one raises the removal notice. A box shown by that
    // notice runs its own loop, so the poll must not re-enter itself.
    bool polling = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&]() {
      if (polling) return;
      polling = true;
      host.Refresh();
      polling = false;
    });

    if (rendering) {
      result = RenderPages(window, binding, QString::fromLocal8Bit(options.screenshots.c_str()));
    } else {
      poll.start(1000);
      binding.Window().ShowCentred();
      result = app.exec();
      poll.stop();
    }
    window.FormDestroy();
    window_boxes.SetOwner(nullptr);
    window_picker.SetOwner(nullptr);
    copier.SetOwner(nullptr);
  }
  return result;
}

// The shell services of the window: message boxes, the folder picker, web pages, and
// the copy with a progress window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/files.h"
#include "platform/shell.h"

class QProgressDialog;

namespace ui_qt {

// The embedded pictures of a static library need registering once.
void InitResources();

// A box with exactly the given caption and OK or Yes/No buttons, and no icon. The text and
// caption come in code page 932. Escape answers No (Yes/No) or OK.
class QtMessageBox : public platform::MessageBox {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }
  platform::MessageAnswer Show(std::string_view text, std::string_view caption,
                               platform::MessageButtons buttons, bool owned = true) override;

 private:
  QPointer<QWidget> owner_;
};

// Picks a host folder and names it as the program does: by the drive whose folder holds
// it. A folder outside every drive is given a fixed drive of its own.
class QtFolderPicker : public platform::FolderPicker {
 public:
  explicit QtFolderPicker(platform::VolumeTable& volumes) : volumes_(volumes) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  std::optional<std::string> Pick(std::string_view title) override;

  // The program path (code page 932) of a host folder; none when no letter is left.
  std::optional<std::string> ProgramPathOf(const std::string& host_folder);

  // Replaces the dialog (tests): returns the chosen host folder or none.
  std::function<std::optional<std::string>(const QString& title)> choose;

 private:
  platform::VolumeTable& volumes_;
  QPointer<QWidget> owner_;
};

class QtWebBrowser : public platform::WebBrowser {
 public:
  void Open(std::string_view url) override;
};

// Copies through the program's file system, with a progress window and a cancel button.
class QtFolderCopier : public platform::FolderCopier {
 public:
  static constexpr int kFailed = 1;
  static constexpr int kCancelled = 1223;  // the system's "operation cancelled" code

  explicit QtFolderCopier(platform::FileSystem& files) : files_(files) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  int Copy(std::string_view source_pattern, std::string_view destination) override;

  // Called after each piece of work with the progress window (tests cancel from here).
  std::function<void(QProgressDialog& progress)> on_progress;

 private:
  platform::FileSystem& files_;
  QPointer<QWidget> owner_;
};

// Whether a file name matches a pattern of '*' and '?' regardless of letter case; "*.*"
// also matches names without a dot, as the system's matching does.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace ui_qt

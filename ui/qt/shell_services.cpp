#include "ui/qt/shell_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>
#include <cctype>

#include "platform/text.h"

static void RegisterMenuImages() {
  Q_INIT_RESOURCE(menu_images);
}

namespace ui_qt {
namespace {

QString FromAnsi(std::string_view text) {
  const std::u16string wide = platform::AnsiToWide(text);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

bool MatchFrom(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip) {
      if (MatchFrom(name.substr(skip), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const bool same = pattern[0] == '?' || std::tolower(static_cast<unsigned char>(pattern[0])) ==
                                             std::tolower(static_cast<unsigned char>(name[0]));
  return same && MatchFrom(name.substr(1), pattern.substr(1));
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += name;
  return path;
}

// One copy run: counts the work first so that the progress window has a range.
class CopyRun {
 public:
  CopyRun(platform::FileSystem& files, QProgressDialog& progress,
          const std::function<void(QProgressDialog&)>& on_progress)
      : files_(files), progress_(progress), on_progress_(on_progress) {}

  int Count(std::string_view folder, std::string_view pattern) {
    const auto entries = files_.List(folder);
    if (!entries) return 0;
    int count = 0;
    for (const platform::FolderEntry& entry : *entries) {
      if (!MatchesPattern(entry.name, pattern)) continue;
      count += entry.is_folder ? 1 + Count(Join(folder, entry.name), "*") : 1;
    }
    return count;
  }

  int CopyFolder(std::string_view from, std::string_view pattern, std::string_view to) {
    const auto entries = files_.List(from);
    if (!entries) return QtFolderCopier::kFailed;
    if (!EnsureFolder(to)) return QtFolderCopier::kFailed;
    for (const platform::FolderEntry& entry : *entries) {
      if (!MatchesPattern(entry.name, pattern)) continue;
      const std::string source = Join(from, entry.name);
      const std::string target = Join(to, entry.name);
      progress_.setLabelText(FromAnsi(entry.name));
      int result = entry.is_folder ? CopyFolder(source, "*", target) : CopyFile(source, target);
      if (result == 0 && entry.is_folder) result = Step();
      if (result != 0) return result;
    }
    return 0;
  }

 private:
  platform::FileSystem& files_;
  QProgressDialog& progress_;
  const std::function<void(QProgressDialog&)>& on_progress_;

  bool EnsureFolder(std::string_view folder) {
    const auto attributes = files_.Attributes(folder);
    if (attributes) return (*attributes & platform::kAttributeDirectory) != 0;
    return files_.CreateFolder(folder);
  }

  int Step() {
    progress_.setValue(progress_.value() + 1);
    if (on_progress_) on_progress_(progress_);
    QApplication::processEvents();
    return progress_.wasCanceled() ? QtFolderCopier::kCancelled : 0;
  }

  int CopyFile(const std::string& source, const std::string& target) {
    platform::File in = files_.Open(source, platform::Access::Read, platform::Share::Read,
                                    platform::Disposition::OpenExisting);
    if (!in.IsOpen()) return QtFolderCopier::kFailed;
    platform::File out = files_.Open(target, platform::Access::Write, platform::Share::None,
                                     platform::Disposition::CreateAlways);
    if (!out.IsOpen()) return QtFolderCopier::kFailed;
    std::string buffer(1 << 20, '\0');
    for (;;) {
      size_t got = 0;
      if (!in.Read(buffer.data(), buffer.size(), &got)) return QtFolderCopier::kFailed;
      if (got == 0) break;
      size_t written = 0;
      if (!out.Write(buffer.data(), got, &written) || written != got) return QtFolderCopier::kFailed;
      QApplication::processEvents();
      if (progress_.wasCanceled()) return QtFolderCopier::kCancelled;
    }
    if (!out.Flush()) return QtFolderCopier::kFailed;
    return Step();
  }
};

}  // namespace

void InitResources() {
  RegisterMenuImages();
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  return MatchFrom(name, pattern);
}

platform::MessageAnswer QtMessageBox::Show(std::string_view text, std::string_view caption,
                                           platform::MessageButtons buttons, bool owned) {
  QMessageBox box(owned ? owner_.data() : nullptr);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(FromAnsi(caption));
  box.setText(FromAnsi(text));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(owned && owner_ ? Qt::WindowModal : Qt::ApplicationModal);
  if (buttons == platform::MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  const int answer = box.exec();
  if (buttons == platform::MessageButtons::Ok) return platform::MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
}

std::optional<std::string> QtFolderPicker::Pick(std::string_view title) {
  const QString caption = FromAnsi(title);
  std::optional<std::string> host;
  if (choose) {
    host = choose(caption);
  } else {
    const QString folder = QFileDialog::getExistingDirectory(owner_.data(), caption, QDir::homePath());
    if (!folder.isEmpty()) host = folder.toStdString();
  }
  if (!host) return std::nullopt;
  return ProgramPathOf(*host);
}

std::optional<std::string> QtFolderPicker::ProgramPathOf(const std::string& host_folder) {
  const std::string folder = QDir::cleanPath(QString::fromStdString(host_folder)).toStdString();
  char best = 0;
  size_t best_length = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const platform::Volume* volume = volumes_.Find(letter);
    if (volume == nullptr) continue;
    const std::string root = QDir::cleanPath(QString::fromStdString(volume->host_root)).toStdString();
    const bool inside = folder == root || root == "/" || folder.rfind(root + "/", 0) == 0;
    if (inside && (best == 0 || root.size() > best_length)) {
      best = letter;
      best_length = root.size();
    }
  }
  std::string rest;
  if (best == 0) {
    for (char letter = 'Z'; letter >= 'C' && best == 0; --letter) {
      if (volumes_.Attach(letter, {folder, platform::DriveType::Fixed, "NTFS", "", 0})) best = letter;
    }
    if (best == 0) return std::nullopt;
  } else if (folder.size() > best_length) {
    rest = folder.substr(best_length == 1 ? 0 : best_length);
  }
  std::string path = std::string(1, best) + ":";
  for (char c : rest) path += c == '/' ? '\\' : c;
  if (rest.empty()) path += '\\';
  return platform::Utf8ToAnsi(path);
}

void QtWebBrowser::Open(std::string_view url) {
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

int QtFolderCopier::Copy(std::string_view source_pattern, std::string_view destination) {
  const size_t slash = source_pattern.rfind('\\');
  if (slash == std::string_view::npos) return kFailed;
  // "X:\\" stays a root; any other folder loses its final separator.
  const std::string folder(source_pattern.substr(0, slash == 2 ? slash + 1 : slash));
  const std::string pattern(source_pattern.substr(slash + 1));
  QProgressDialog progress(owner_.data());
  progress.setWindowTitle(QStringLiteral("コピーしています..."));
  progress.setCancelButtonText(QStringLiteral("キャンセル"));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  CopyRun run(files_, progress, on_progress);
  progress.setRange(0, std::max(1, run.Count(folder, pattern)));
  progress.setValue(0);
  const int result = run.CopyFolder(folder, pattern.empty() ? "*" : pattern, destination);
  progress.close();
  return result;
}

}  // namespace ui_qt

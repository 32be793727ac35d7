// Recording fakes of the platform services, and one bundle of them with a fresh
// volume table and file system for each test.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace testing_support {

// A fixed clock that records every pause and never waits.
class FakeClock : public platform::Clock {
 public:
  platform::LocalTime now{2009, 7, 3, 9, 5, 7, 0, 5};
  std::vector<unsigned> pauses;

  platform::LocalTime Now() override { return now; }
  void Sleep(unsigned milliseconds) override { pauses.push_back(milliseconds); }
};

struct ShownMessage {
  std::string text;     // code page 932, as shown
  std::string caption;  // code page 932
  platform::MessageButtons buttons;
  bool owned;
  std::u16string Text() const;  // the text back in UTF-16, for readable assertions
};

// Answers from a script (Yes for a Yes/No box when the script is empty) and keeps
// everything it was shown.
class FakeMessageBox : public platform::MessageBox {
 public:
  std::vector<ShownMessage> shown;
  std::deque<platform::MessageAnswer> answers;

  platform::MessageAnswer Show(std::string_view text, std::string_view caption,
                               platform::MessageButtons buttons, bool owned) override;
  void AnswerNext(platform::MessageAnswer answer) { answers.push_back(answer); }
};

class FakeFolderPicker : public platform::FolderPicker {
 public:
  std::optional<std::string> next;  // what the next pick returns
  std::vector<std::string> titles;
  std::optional<std::string> Pick(std::string_view title) override {
    titles.emplace_back(title);
    return next;
  }
};

class FakeWebBrowser : public platform::WebBrowser {
 public:
  std::vector<std::string> opened;
  void Open(std::string_view url) override { opened.emplace_back(url); }
};

struct CopyCall {
  std::string source_pattern;
  std::string destination;
};

// Records each copy and answers with `result`; copies nothing unless a real copier is
// chained behind it.
class FakeFolderCopier : public platform::FolderCopier {
 public:
  std::vector<CopyCall> calls;
  int result = 0;
  platform::FolderCopier* then = nullptr;
  int Copy(std::string_view source_pattern, std::string_view destination) override {
    calls.push_back({std::string(source_pattern), std::string(destination)});
    if (then != nullptr) return then->Copy(source_pattern, destination);
    return result;
  }
};

class FakeDebugOutput : public platform::DebugOutput {
 public:
  std::vector<std::string> pieces;
  void Write(const char* text) override { pieces.emplace_back(text); }
};

// A temporary host folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A whole fake platform: an empty volume table, a file system over it and the fakes.
struct TestPlatform {
  platform::VolumeTable volumes;
  platform::FileSystem files{volumes};
  FakeClock clock;
  FakeMessageBox message_box;
  FakeFolderPicker folder_picker;
  FakeWebBrowser web_browser;
  FakeFolderCopier folder_copier;
  FakeDebugOutput debug_output;

  platform::Services services() {
    return {volumes, files, clock, message_box, folder_picker, web_browser, folder_copier, debug_output};
  }
};

}  // namespace testing_support

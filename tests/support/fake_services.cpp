#include "tests/support/fake_services.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/text.h"

namespace testing_support {

std::u16string ShownMessage::Text() const {
  return platform::AnsiToWide(text);
}

platform::MessageAnswer FakeMessageBox::Show(std::string_view text, std::string_view caption,
                                             platform::MessageButtons buttons, bool owned) {
  shown.push_back({std::string(text), std::string(caption), buttons, owned});
  if (!answers.empty()) {
    platform::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == platform::MessageButtons::YesNo ? platform::MessageAnswer::Yes
                                                    : platform::MessageAnswer::Ok;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarnix-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");  // no test can run without its folder
    std::abort();
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support

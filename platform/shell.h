// The services the program asks of its surroundings. The window implements them for
// real; tests use recording fakes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // text and caption in code page 932. owned: the main window is the owner (modal to it);
  // false for the few boxes shown without an owner.
  virtual MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                             bool owned = true) = 0;
};

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // Lets the user pick a folder; its program path (code page 932), or none on cancel.
  virtual std::optional<std::string> Pick(std::string_view title) = 0;
};

class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  virtual void Open(std::string_view url) = 0;
};

class FolderCopier {
 public:
  virtual ~FolderCopier() = default;
  // Copies what `source_pattern` ("X:\release\Data\*.*") matches, folders included, into
  // `destination`, creating folders and replacing files without asking. 0 on success,
  // otherwise an error code (a cancel included).
  virtual int Copy(std::string_view source_pattern, std::string_view destination) = 0;
};

}  // namespace platform

#include "pages/messages.h"

#include "platform/text.h"

namespace pages {

void ShowNotice(platform::MessageBox& box, std::u16string_view text) {
  box.Show(platform::WideToAnsi(text), "", platform::MessageButtons::Ok, true);
}

bool AskYesNo(platform::MessageBox& box, std::u16string_view text, std::string_view caption) {
  // Only No is tested, as everywhere in the program: any other answer goes on.
  return box.Show(platform::WideToAnsi(text), caption, platform::MessageButtons::YesNo, true) !=
         platform::MessageAnswer::No;
}

}  // namespace pages

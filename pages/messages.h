// The texts the pages show and the two kinds of box they show them in: notices and
// warnings (OK, empty caption) and questions (Yes/No).
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/shell.h"

namespace pages {

inline constexpr char16_t kAskRegister[] = u"登録しますか？";
inline constexpr char16_t kAskDelete[] = u"削除しますか?";
inline constexpr char16_t kWriting[] = u"書き込み中";
inline constexpr char16_t kWritingDone[] = u"書き込み終了";
inline constexpr char16_t kNoCoordinate[] = u"座標がありません";
inline constexpr char16_t kNameTooLong[] = u"20文字以上の入力はできません。";
// A typed name may hold this many UTF-16 characters; longer ones get kNameTooLong.
inline constexpr size_t kTypedNameMaxCharacters = 20;
inline constexpr char16_t kOutOfRange[] = u"範囲外の値が入力されました";
// Pasted text in a coordinate field that is not a number.
inline constexpr char16_t kNotANumber[] = u"数値を入力してください。";
// A register whose degree or minute text is not a whole number; nothing is written.
inline constexpr char16_t kNotWholeNumber[] =
    u"度と分には整数を入力してください。書き込みは行われませんでした。";
// A register or delete that could not write the route file.
inline constexpr char16_t kRouteNotWritten[] =
    u"ルートファイルに書き込めませんでした。変更は保存されていません。";

// Captions: questions about registering take the empty one, delete questions one space.
inline constexpr char kRegisterCaption[] = "";
inline constexpr char kDeleteCaption[] = " ";

// An OK box with the empty caption, owned by the main window.
void ShowNotice(platform::MessageBox& box, std::u16string_view text);
// A Yes/No box owned by the main window; true only for Yes.
bool AskYesNo(platform::MessageBox& box, std::u16string_view text, std::string_view caption);

}  // namespace pages

// The texts of the favorites page and its commands.
#pragma once

namespace pages {

inline constexpr char16_t kCannotMove[] = u"移動できません";
inline constexpr char16_t kAskRenameFolder[] = u"フォルダ名を変更しますか？";

// A point name holding a comma, a line end or a character the point file cannot carry.
inline constexpr char16_t kFavNameBadCharacter[] = u"名称にカンマ（,）、改行、使えない文字は入力できません。";
// Folder renames the card could not carry out, refused before anything is renamed.
inline constexpr char16_t kFolderNameEmpty[] = u"フォルダ名を入力してください。";
inline constexpr char16_t kFolderNameBadCharacter[] = u"フォルダ名に使えない文字が含まれています。";
inline constexpr char16_t kFolderNameExists[] = u"同じ名前のフォルダがあります。";
inline constexpr char16_t kFolderRenameFailed[] =
    u"フォルダ名を変更できませんでした。フォルダは元のままです。";
// A register that could not write every change; what was not written stays as it was.
inline constexpr char16_t kFavNotAllWritten[] =
    u"書き込めなかった変更があります。書き込めなかった地点は元のフォルダに残っています。";
// A point delete or a folder delete whose file could not be changed.
inline constexpr char16_t kFavDeleteFailed[] = u"削除できませんでした。";

}  // namespace pages

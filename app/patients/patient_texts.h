// The titles and messages of the patient screens, each in one place (UTF-8).
#pragma once

namespace patients {

struct Notice {
    const char* text;
    const char* title;
};

inline constexpr Notice kDatabaseFault{"データベースに異常があります。", "エラー"};
inline constexpr Notice kChooseDateToDelete{"上の投薬日リストから、削除する日時を選択して下さい。",
                                            "選択"};
inline constexpr Notice kNothingToTransfer{"投薬リストに転送するデータ項目がありません。",
                                           "データなし"};
inline constexpr Notice kChoosePatientToApply{"左のリストから適用する患者を選択して下さい。",
                                              "選択"};
inline constexpr Notice kRecallFault{"投薬履歴の読み込み中にデータベースエラーが発生しました。",
                                     "エラー"};
// The name a recalled drug gone from the catalogue is listed with, followed by its YJ code.
inline constexpr const char* kDrugNotInCatalogue = "（薬剤データベースにありません）";
// Followed by the YJ codes of the drugs left out.
inline constexpr Notice kDrugsLeftOut{
    "次の薬剤は薬剤データベースに登録されていないため、印刷リストに移しませんでした。"
    "他の薬剤は移しました。\r\nYJコード：",
    "薬剤なし"};
inline constexpr Notice kChoosePatientToCorrect{
    "左のリストから情報を訂正する患者を選択して下さい。", "選択"};
inline constexpr Notice kChoosePatientToDelete{"左のリストから削除する患者を選択して下さい。",
                                               "選択"};
// Questions; the %s are filled with the patient's ID and name, or the history date.
inline constexpr Notice kAskDeletePatient{
    "患者ID： %1 \r\n名前： %2 \r\n\r\n上記患者の項目を削除します。\r\nよろしいですか？",
    "削除の確認"};
inline constexpr Notice kAskDeleteDate{
    "投薬日時： %1 \r\n\r\n上記の投薬履歴を削除します。\r\nよろしいですか？", "削除確認"};
inline constexpr Notice kAskReplacePrintList{
    "印刷リストの内容を投薬履歴の内容で置き換えます。\r\nよろしいですか？", "確認"};

// The patient information dialog.
inline constexpr Notice kIdRequired{"患者のＩＤ番号を入力して下さい。", "必須項目"};
inline constexpr Notice kIdNotPositive{"ＩＤ番号は正の整数でお願いします", "ＩＤ番号エラー"};
inline constexpr Notice kNameRequired{"患者の名前を入力して下さい。", "必須項目"};
inline constexpr Notice kIdTaken{
    "入力したＩＤ番号は既に他の患者に登録されているＩＤです。\r\n他のＩＤ番号に変更して下さい。",
    "ＩＤ重複"};
// %1 is the ID.
inline constexpr Notice kAskFormerId{
    "ＩＤ番号 %1 は、以前に削除またはＩＤ変更された患者に使われていた番号です。\r\n"
    "以前に印刷した説明書やお薬手帳のコードが、この番号で前の患者を指している場合があります。"
    "\r\n\r\nこのＩＤ番号を使いますか？",
    "ＩＤ使用歴"};
inline constexpr Notice kRegisterFault{"患者データベースに異常があります。", "エラー"};

// Patient search.
inline constexpr Notice kNoPatientFound{"条件に適合する患者データはありませんでした。", "検出なし"};
inline constexpr Notice kChooseResult{"リストから適用する患者を選択して下さい。", "選択"};

}  // namespace patients

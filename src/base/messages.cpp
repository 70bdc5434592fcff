#include "base/messages.h"

namespace tdialix {

std::wstring_view MessageText(TMsg id) {
  switch (id) {
    case TMsg::DefaultHolidays:
      // Japan's national holidays as the law has them today: 天皇誕生日 on
      // 23 February since 2020, スポーツの日 since 2020, 山の日 since 2016,
      // and the equinoxes computed for each year.
      return L"0,0, 1,0, 1,1,元日\r\n"
             L"0,1, 1,2, 1,1,成人の日\r\n"
             L"0,0, 2,0,11,1,建国記念の日\r\n"
             L"0,0, 2,0,23,1,天皇誕生日\r\n"
             L"0,2, 3,0, 0,1,春分の日\r\n"
             L"0,0, 4,0,29,1,昭和の日\r\n"
             L"0,0, 5,0, 3,1,憲法記念日\r\n"
             L"0,0, 5,0, 4,1,みどりの日\r\n"
             L"0,0, 5,0, 5,1,こどもの日\r\n"
             L"0,1, 7,3, 1,1,海の日\r\n"
             L"0,0, 8,0,11,1,山の日\r\n"
             L"0,1, 9,3, 1,1,敬老の日\r\n"
             L"0,2, 9,0, 0,1,秋分の日\r\n"
             L"0,1,10,2, 1,1,スポーツの日\r\n"
             L"0,0,11,0, 3,1,文化の日\r\n"
             L"0,0,11,0,23,1,勤労感謝の日";
    case TMsg::CancelButton:
      return L"キャンセル";
    case TMsg::HolidayCaption:
      return L"休日の設定";
    case TMsg::HolidayTypeLabel:
      return L"種類:";
    case TMsg::HolidayPublic:
      return L"公休";
    case TMsg::HolidayPrivate:
      return L"私休";
    case TMsg::HolidayKindLabel:
      return L"指定:";
    case TMsg::HolidayByDate:
      return L"日付で指定";
    case TMsg::HolidayByWeekday:
      return L"曜日で指定";
    case TMsg::HolidayByEquinox:
      return L"春分・秋分";
    case TMsg::HolidayDateLabel:
      return L"日付:";
    case TMsg::HolidayMonthUnit:
      return L"月";
    case TMsg::HolidayDayUnit:
      return L"日";
    case TMsg::HolidayNthPrefix:
      return L"第";
    case TMsg::HolidayTransfer:
      return L"振替休日あり";
    case TMsg::HolidayNameLabel:
      return L"名称:";
    case TMsg::HolidaySpringEquinox:
      return L"春分の日";
    case TMsg::HolidayAutumnEquinox:
      return L"秋分の日";
    case TMsg::Sunday:
      return L"日曜日";
    case TMsg::Monday:
      return L"月曜日";
    case TMsg::Tuesday:
      return L"火曜日";
    case TMsg::Wednesday:
      return L"水曜日";
    case TMsg::Thursday:
      return L"木曜日";
    case TMsg::Friday:
      return L"金曜日";
    case TMsg::Saturday:
      return L"土曜日";
    case TMsg::WorldCaption:
      return L"世界時計";
    case TMsg::WorldModeLabel:
      return L"指定方法:";
    case TMsg::WorldByZone:
      return L"地域を指定";
    case TMsg::WorldByTime:
      return L"時間を指定";
    case TMsg::WorldZoneLabel:
      return L"地域:";
    case TMsg::WorldTimeLabel:
      return L"時間:";
    case TMsg::WorldTimeFormat:
      return L"H 時間 m 分 s 秒";
    case TMsg::WorldForward:
      return L"進める";
    case TMsg::WorldBack:
      return L"遅らせる";
    case TMsg::AutoStyleCaption:
      return L"スタイルの自動切り替え";
    case TMsg::AutoStyleEnable:
      return L"スタイルを自動的に切り替える";
    case TMsg::AutoStyleGroup:
      return L"時間とスタイル";
    case TMsg::AutoStyleTimeColumn:
      return L"時間";
    case TMsg::AutoStyleStyleColumn:
      return L"スタイル";
    case TMsg::ListAddButton:
      return L"追加...";
    case TMsg::ListChangeButton:
      return L"変更...";
    case TMsg::ListDeleteButton:
      return L"削除";
    case TMsg::DayTypeWeekDay:
      return L"平日";
    case TMsg::DayTypeHoliday:
      return L"休日";
    case TMsg::DayTypeSaturday:
      return L"土曜日";
    case TMsg::DayTypeSunday:
      return L"日曜日";
    case TMsg::AddAutoStyleCaption:
      return L"自動切り替えの設定";
    case TMsg::DayTypeLabel:
      return L"種類:";
    case TMsg::AddAutoStyleStyleLabel:
      return L"スタイル:";
    case TMsg::BrowseButton:
      return L"参照...";
    case TMsg::AddAutoStyleTimeLabel:
      return L"切り替える時間:";
    case TMsg::StyleChooseTitle:
      return L"スタイルの選択";
    case TMsg::TimeSlotCaption:
      return L"時間帯の設定";
    case TMsg::TimeSlotStartLabel:
      return L"開始時間:";
    case TMsg::TimeSlotEndLabel:
      return L"終了時間:";
    case TMsg::PluginNotAPlugin:
      return L"'%s'\r\nこれは TDialix 用のプラグインではないか、以前のバージョンのプラグインです。";
    case TMsg::PluginAlreadyAdded:
      return L"プラグイン '%s' は既に追加されています。";
    case TMsg::PluginRestartQuestion:
      return L"プラグインの変更を反映するには、TDialix の再起動が必要です。\r\n今すぐ TDialix を再起動しますか?";
    case TMsg::PriorityFailed:
      return L"優先度を変更できませんでした。\r\n%s";
    case TMsg::SettingCaption:
      return L"共通設定";
    case TMsg::SettingPageView:
      return L"表示";
    case TMsg::SettingPageOperation:
      return L"操作";
    case TMsg::SettingPageHoliday:
      return L"休日";
    case TMsg::SettingPagePlugin:
      return L"プラグイン";
    case TMsg::SettingPageStartup:
      return L"起動";
    case TMsg::SettingPageAdvanced:
      return L"高度な設定";
    case TMsg::ApplyButton:
      return L"適用(&A)";
    case TMsg::SettingTransparent:
      return L"透明度:";
    case TMsg::SettingLow:
      return L"低";
    case TMsg::SettingHigh:
      return L"高";
    case TMsg::SettingZOrder:
      return L"配置:";
    case TMsg::ZOrderNormal:
      return L"標準";
    case TMsg::ZOrderTop:
      return L"前面に配置";
    case TMsg::ZOrderTopMost:
      return L"常に前面に配置";
    case TMsg::ZOrderBottom:
      return L"後面に配置";
    case TMsg::SettingShowToolTip:
      return L"ツール チップを表示する";
    case TMsg::SettingToolTipFormat:
      return L"ツール チップの書式:";
    case TMsg::SettingEnableOtherwiseShow:
      return L"他のプログラムによる表示状態の制御を許可";
    case TMsg::SettingTaskBarGroup:
      return L"タスク バー";
    case TMsg::SettingTrayIcon:
      return L"トレイにアイコンを表示";
    case TMsg::SettingHideTrayClock:
      return L"時計を自動的に隠す";
    case TMsg::SettingHideOnFullScreen:
      return L"全画面表示のプログラムがあるときは時計を隠す";
    case TMsg::SettingLocked:
      return L"時計の位置を固定";
    case TMsg::SettingHideGroup:
      return L"時計を隠す";
    case TMsg::SettingHideType:
      return L"隠し方:";
    case TMsg::HideTypeNone:
      return L"なし";
    case TMsg::HideTypeHide:
      return L"隠す";
    case TMsg::HideTypeHole:
      return L"穴を開ける";
    case TMsg::HideTypeTransparent:
      return L"素通り";
    case TMsg::SettingSensitive:
      return L"感度:";
    case TMsg::SettingDull:
      return L"鈍";
    case TMsg::SettingSharp:
      return L"鋭";
    case TMsg::SettingSpeed:
      return L"速度:";
    case TMsg::SettingSlow:
      return L"遅";
    case TMsg::SettingFast:
      return L"速";
    case TMsg::SettingHoleSize:
      return L"大きさ:";
    case TMsg::SettingSmall:
      return L"小";
    case TMsg::SettingLarge:
      return L"大";
    case TMsg::SettingHoleSoft:
      return L"ぼかし:";
    case TMsg::SettingClickHide:
      return L"クリックした後に隠す";
    case TMsg::SettingHolidayList:
      return L"休日扱いにする日:";
    case TMsg::HolidayColumnDate:
      return L"日付";
    case TMsg::HolidayColumnTransfer:
      return L"振替";
    case TMsg::HolidayColumnName:
      return L"名称";
    case TMsg::SettingAdd:
      return L"追加...";
    case TMsg::SettingModify:
      return L"変更...";
    case TMsg::SettingDelete:
      return L"削除";
    case TMsg::SettingDefaultHolidays:
      return L"<a>既定値に戻す</a>";
    case TMsg::SettingHolidayNote:
      return L"春分・秋分は自動計算されませんので、手動にて登録してください。";
    case TMsg::SettingPluginList:
      return L"使用するプラグイン:";
    case TMsg::SettingPluginConfigure:
      return L"設定...";
    case TMsg::SettingPluginRemove:
      return L"解除";
    case TMsg::SettingPluginDescription:
      return L"説明";
    case TMsg::SettingPluginNote:
      return L"プラグインを追加・解除した場合、変更内容は次回 TDialix を起動した時に反映されます。";
    case TMsg::PluginFileFilter:
      return L"プラグイン|*.dll|すべてのファイル|*.*";
    case TMsg::PluginColumnName:
      return L"名前";
    case TMsg::PluginColumnVersion:
      return L"バージョン";
    case TMsg::SettingStartupShortcut:
      return L"スタートアップに登録";
    case TMsg::SettingAssociate:
      return L"スタイル ファイルを関連付ける *";
    case TMsg::SettingIniFileGroup:
      return L"設定ファイルの場所";
    case TMsg::SettingShowFolder:
      return L"フォルダーを表示";
    case TMsg::SettingStartupNote:
      return L"ここで設定した内容は、Windows 全体に反映されます。TDialix をアンインストールする際は、設定の解除し忘れにご注意ください。\r\n\r\n* 印の項目は、管理者権限のあるユーザー アカウントで設定してください。";
    case TMsg::SettingTimerInterval:
      return L"描画更新間隔:";
    case TMsg::SettingMilliseconds:
      return L"ミリ秒";
    case TMsg::SettingPowerSaving:
      return L"バッテリーに切り替わった時は、更新間隔を半分にする";
    case TMsg::SettingPriority:
      return L"プロセス優先度:";
    case TMsg::PriorityNormal:
      return L"普通";
    case TMsg::PriorityBelowNormal:
      return L"低";
    case TMsg::PriorityIdle:
      return L"最低";
    case TMsg::SettingAdvancedNote:
      return L"このタブ内の項目は、パソコンの処理速度に影響を及ぼす可能性があります。<a>ヘルプ</a>をよく読んだ上で設定してください。";
    case TMsg::StyleEditCaption:
      return L"スタイルの編集";
    case TMsg::StylePageTypeface:
      return L"書体";
    case TMsg::StylePageDecoration:
      return L"装飾";
    case TMsg::StylePageBackground:
      return L"背景";
    case TMsg::StylePageFormat:
      return L"書式";
    case TMsg::StylePageEffects:
      return L"効果";
    case TMsg::StylePageDisplay:
      return L"表示";
    case TMsg::StyleKindLabel:
      return L"種類:";
    case TMsg::FontTypeSystem:
      return L"フォントから生成";
    case TMsg::FontTypeBitmap:
      return L"画像から生成";
    case TMsg::FontNameLabel:
      return L"書体:";
    case TMsg::PictureLabel:
      return L"画像:";
    case TMsg::FontSizeLabel:
      return L"サイズ:";
    case TMsg::FontWidthLabel:
      return L"幅:";
    case TMsg::FontWidthHalf:
      return L"半角";
    case TMsg::FontWidthFull:
      return L"全角";
    case TMsg::FontPitchLabel:
      return L"ピッチ:";
    case TMsg::FontPitchFixed:
      return L"等幅";
    case TMsg::FontPitchVariable:
      return L"可変幅";
    case TMsg::FontBold:
      return L"太字";
    case TMsg::FontItalic:
      return L"斜体";
    case TMsg::FontSmoothingCheck:
      return L"縁を滑らかにする";
    case TMsg::DigitSpacingLabel:
      return L"数字の間隔:";
    case TMsg::SeparatorSpacingLabel:
      return L"区切り文字の間隔:";
    case TMsg::FontColorLabel:
      return L"文字色:";
    case TMsg::OuterFrameGroup:
      return L"縁 (外側)";
    case TMsg::FrameWidthLabel:
      return L"太さ:";
    case TMsg::TransparencyLabel:
      return L"透明度:";
    case TMsg::SoftnessLabel:
      return L"ぼかし:";
    case TMsg::ColorLabel:
      return L"色:";
    case TMsg::InnerFrameGroup:
      return L"縁 (内側)";
    case TMsg::ShadowGroup:
      return L"影";
    case TMsg::ShadowPositionLabel:
      return L"位置:";
    case TMsg::NoneItem:
      return L"なし";
    case TMsg::BackGrndFill:
      return L"塗りつぶし";
    case TMsg::BackGrndGradation:
      return L"グラデーション";
    case TMsg::BackGrndPicture:
      return L"画像";
    case TMsg::Color1Label:
      return L"色 1:";
    case TMsg::Color2Label:
      return L"色 2:";
    case TMsg::DirectionLabel:
      return L"方向:";
    case TMsg::DirectionHorz:
      return L"水平";
    case TMsg::DirectionVert:
      return L"垂直";
    case TMsg::AlignLabel:
      return L"配置:";
    case TMsg::AlignLeft:
      return L"左";
    case TMsg::AlignCenter:
      return L"中央";
    case TMsg::AlignRight:
      return L"右";
    case TMsg::AlignTile:
      return L"全体";
    case TMsg::AlignZoom:
      return L"拡大";
    case TMsg::BackGrndSizeLabel:
      return L"大きさ:";
    case TMsg::MarginGroup:
      return L"余白";
    case TMsg::MarginLeft:
      return L"左:";
    case TMsg::MarginTop:
      return L"上:";
    case TMsg::MarginRight:
      return L"右:";
    case TMsg::MarginBottom:
      return L"下:";
    case TMsg::HourGroup:
      return L"時";
    case TMsg::Hour12Item:
      return L"12 時間表示";
    case TMsg::Hour24Item:
      return L"24 時間表示";
    case TMsg::LeadingZero:
      return L"先頭にゼロを表示";
    case TMsg::Hour12to0Check:
      return L"12 時は 0 時と表示";
    case TMsg::Hour24to0Check:
      return L"24 時は 0 時と表示";
    case TMsg::MinuteGroup:
      return L"分";
    case TMsg::ShownItem:
      return L"あり";
    case TMsg::SeparatorLabel:
      return L"区切り文字:";
    case TMsg::ColonItem:
      return L"コロン (:)";
    case TMsg::PeriodItem:
      return L"ピリオド (.)";
    case TMsg::HyphenItem:
      return L"ハイフン (-)";
    case TMsg::SecondGroup:
      return L"秒";
    case TMsg::AnimationGroup:
      return L"切り替え効果";
    case TMsg::SpeedLabel:
      return L"速度:";
    case TMsg::AnimationHorz:
      return L"横に回転";
    case TMsg::AnimationVert:
      return L"縦に回転";
    case TMsg::AnimationUp:
      return L"せり上げ";
    case TMsg::AnimationDown:
      return L"せり下げ";
    case TMsg::AnimationFade:
      return L"フェード イン・アウト";
    case TMsg::AnimationFadeOut:
      return L"カット フェード";
    case TMsg::AnimationFadeCross:
      return L"クロス フェード";
    case TMsg::InertiaCheck:
      return L"滑らかに動かす";
    case TMsg::FlashColonGroup:
      return L"コロンの点滅";
    case TMsg::FlashColon250:
      return L"250 ミリ秒間点灯、750 ミリ秒間消灯";
    case TMsg::FlashColon500:
      return L"500 ミリ秒間隔";
    case TMsg::FlashColon1000:
      return L"1000 ミリ秒間隔";
    case TMsg::FlashColonInvertCheck:
      return L"点灯と消灯を反転";
    case TMsg::FlashColonToggleCheck:
      return L"30 秒毎に交互に点滅";
    case TMsg::FlashColonSmoothCheck:
      return L"滑らかに点滅";
    case TMsg::TimeSlotListLabel:
      return L"表示する時間帯:";
    case TMsg::TimeSlotStartColumn:
      return L"開始時間";
    case TMsg::TimeSlotEndColumn:
      return L"終了時間";
    case TMsg::FadeSwitchingCheck:
      return L"表示状態を滑らかに切り替える";
    case TMsg::TimeSlotNotice:
      return L"時間帯を何も指定していない場合は、常に表示される状態となります。\r\n休日の追加・削除は、[動作設定] の<a>休日</a>タブで設定できます。";
    case TMsg::BitmapFileFilter:
      return L"ビットマップ イメージ|*.bmp|すべてのファイル|*.*";
    case TMsg::HolidayDayOfWeekCaption:
      return L"%d 月第 %d %s";
    case TMsg::HolidayDateCaption:
      return L"%d 月 %d 日";
    case TMsg::SpringEquinoxCaption:
      return L"春分の日 (毎年計算)";
    case TMsg::AutumnEquinoxCaption:
      return L"秋分の日 (毎年計算)";
    case TMsg::TransferYes:
      return L"あり";
    case TMsg::TransferNo:
      return L"なし";
    case TMsg::RebootFailed:
      return L"TDialix の再起動に失敗しました。";
    case TMsg::FolderOpenFailed:
      return L"フォルダーを開けませんでした。\r\n%s";
    case TMsg::StartupShortcutDescription:
      return L"%s を起動します。";
    case TMsg::StartupShortcutCreateFailed:
      return L"スタートアップのショートカットを作成できませんでした。\r\n%s";
    case TMsg::StartupShortcutDeleteFailed:
      return L"スタートアップのショートカットを削除できませんでした。\r\n%s";
    case TMsg::StartupShortcutOverwriteQuestion:
      return L"同じ名前のショートカットがスタートアップに存在します。リンク先は\r\n'%s' です。\r\n\r\n"
             L"このショートカットに上書きしますか?";
    case TMsg::StartupShortcutDeleteQuestion:
      return L"同じ名前のショートカットがスタートアップに存在します。リンク先は\r\n'%s' です。\r\n\r\n"
             L"このショートカットを削除しますか?";
    case TMsg::FolderUnknown:
      return L"(不明)";
    case TMsg::ApplyStyleVerb:
      return L"スタイルの適用(&A)";
    case TMsg::StyleFileTypeName:
      return L"TDialix スタイル ファイル";
    case TMsg::AssociateFailed:
      return L"スタイル ファイルを TDialix へ関連付けられませんでした。\r\n"
             L"コントロール パネルを使って、拡張子 'dlx' のファイルを手動で関連付けてください。";
    case TMsg::DissociateFailed:
      return L"スタイル ファイルの TDialix への関連付けを解除できませんでした。\r\n"
             L"コントロール パネルを使って、拡張子 'dlx' のファイルの関連付けを手動で解除してください。";
    case TMsg::AssociateOverForeignQuestion:
      return L"既に別のプログラムによって、拡張子 'dlx' のファイルが関連付けられているようです。\r\n\r\n"
             L"拡張子 'dlx' のファイルの関連付けに上書きしますか?";
    case TMsg::DissociateForeignQuestion:
      return L"既に別のプログラムによって、拡張子 'dlx' のファイルが関連付けられているようです。\r\n\r\n"
             L"拡張子 'dlx' のファイルの関連付けを解除しますか?";
    case TMsg::SettingsOpenFailed:
      return L"設定ファイルを開けません。\r\n%s\r\n\r\n既定の設定で起動します。";
    case TMsg::SettingsSaveFailed:
      return L"設定ファイルを '%s' に保存できませんでした。\r\n%s";
    case TMsg::SystemTooOld:
      return L"このプログラムを実行するには、Windows 7 Service Pack 1 以降が必要です。";
    case TMsg::ErrorHeadline:
      return L"%s は動作を停止しました。";
    case TMsg::ErrorExplanation:
      return L"問題が発生したため、このプログラムは正常に動作しなくなりました。\r\n"
             L"ご迷惑をお掛けして申し訳ありません。\r\n\r\n"
             L"保存していない情報がある場合、作業中の情報は失われた可能性があります。";
    case TMsg::ErrorCloseButton:
      return L"プログラムの終了(&C)";
    case TMsg::ErrorShowDetails:
      return L"<A>詳細情報の表示</A>";
    case TMsg::ErrorHideDetails:
      return L"<A>詳細情報を隠す</A>";
    case TMsg::ErrorReportRequest:
      return L"上記の内容及びエラーの発生状況を作者に報告していただくと、このプログラムの品質向上に役立てることができます。\r\n"
             L"なお、報告の際はパソコンの詳しい情報をできるだけ添えてください。";
    case TMsg::ErrorFallback:
      return L"%s は動作を停止しました。\r\n\r\n"
             L"問題が発生したため、このプログラムは正常に動作しなくなりました。\r\n"
             L"ご迷惑をお掛けして申し訳ありません。\r\n\r\n"
             L"保存していない情報がある場合、作業中の情報は失われた可能性があります。\r\n\r\n"
             L"%s\r\n\r\n"
             L"上記の内容及びエラーの発生状況を作者に報告していただくと、このプログラムの品質向上に役立てることができます。\r\n"
             L"なお、報告の際はパソコンの詳しい情報をできるだけ添えてください。";
    case TMsg::FaultDescription:
      return L"%s (例外コード %s、発生場所 %s)";
    case TMsg::FaultAccessRead:
      return L"アクセス違反: アドレス %s の読み込み";
    case TMsg::FaultAccessWrite:
      return L"アクセス違反: アドレス %s への書き込み";
    case TMsg::FaultAccessExecute:
      return L"アクセス違反: アドレス %s の実行";
    case TMsg::FaultAccessViolation:
      return L"アクセス違反";
    case TMsg::FaultStackOverflow:
      return L"スタック オーバーフロー";
    case TMsg::FaultIntDivideByZero:
      return L"整数の 0 による除算";
    case TMsg::FaultIntOverflow:
      return L"整数のオーバーフロー";
    case TMsg::FaultFloatDivideByZero:
      return L"浮動小数点数の 0 による除算";
    case TMsg::FaultFloatOverflow:
      return L"浮動小数点数のオーバーフロー";
    case TMsg::FaultFloatUnderflow:
      return L"浮動小数点数のアンダーフロー";
    case TMsg::FaultFloatInvalid:
      return L"浮動小数点数の無効な演算";
    case TMsg::FaultFloatOther:
      return L"浮動小数点数の演算エラー";
    case TMsg::FaultIllegalInstruction:
      return L"不正な命令";
    case TMsg::FaultPrivilegedInstruction:
      return L"特権命令";
    case TMsg::FaultInPageError:
      return L"ページの読み込みエラー: アドレス %s";
    case TMsg::FaultArrayBounds:
      return L"配列の範囲外アクセス";
    case TMsg::FaultMisalignment:
      return L"データの境界の不整列";
    case TMsg::FaultNoncontinuable:
      return L"続行できない例外の続行";
    case TMsg::FaultHeapCorruption:
      return L"ヒープの破損";
    case TMsg::FaultStackBufferOverrun:
      return L"スタック バッファーのオーバーラン";
    case TMsg::FaultUnknown:
      return L"不明な例外";
    case TMsg::PrimaryMonitorSuffix:
      return L" (主モニター)";
    case TMsg::MonitorName:
      return L"(%d) %s";
    case TMsg::StyleNotFound:
      return L"'%s'\r\nこのスタイル ファイルが見つかりませんでした。";
    case TMsg::NotAStyleFile:
      return L"'%s'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。";
    case TMsg::LoadDefaultStyleSuffix:
      return L"\r\n\r\n既定のスタイルを読み込みます。";
    case TMsg::StyleOpenFailed:
      return L"スタイル ファイル '%s' を開けません。\r\n%s";
    case TMsg::StyleSaveFailed:
      return L"スタイル ファイルを '%s' に保存できませんでした。\r\n%s";
    case TMsg::ScreenSaverNotSet:
      return L"スクリーン セーバーが設定されていないため、表示できませんでした。";
    case TMsg::ScreenSaverFailed:
      return L"スクリーン セーバーを表示できませんでした。\r\n%s";
    case TMsg::FolderNotCreated:
      return L"(フォルダーはまだ作成されていません)";
    case TMsg::StyleOpenTitle:
      return L"スタイルの読み込み";
    case TMsg::StyleSaveTitle:
      return L"スタイルの保存";
    case TMsg::StyleFileFilter:
      return L"スタイル ファイル (*.dlx)|*.dlx|すべてのファイル|*.*";
    case TMsg::AboutCaption:
      return L"バージョン情報";
    case TMsg::AboutVersion:
      return L"バージョン %s";
    case TMsg::AboutNotice:
      return L"ReadMe ファイル及びヘルプをよく読んでから使用してください。";
    case TMsg::AboutBrowserFailed:
      return L"作者の Web サイトを表示できませんでした。ブラウザーが正しくインストールされているか確認してください。";
    case TMsg::HintSize:
      return L"このウィンドウのサイズを変更します。";
    case TMsg::HintMove:
      return L"このウィンドウを画面の別の位置に移動します。";
    case TMsg::HintMinimize:
      return L"このウィンドウを最小化します。";
    case TMsg::HintMaximize:
      return L"このウィンドウを画面いっぱいに拡大します。";
    case TMsg::HintNextWindow:
      return L"次のウィンドウに切り替えます。";
    case TMsg::HintPrevWindow:
      return L"前のウィンドウに切り替えます。";
    case TMsg::HintClose:
      return L"このウィンドウを閉じます。";
    case TMsg::HintRestore:
      return L"このウィンドウを通常の大きさに戻します。";
    case TMsg::SpinCannotEnter:
      return L"入力できません";
    case TMsg::SpinOutOfRange:
      return L"範囲外の値";
    case TMsg::SpinTooLong:
      return L"%d 文字以内で入力してください。";
    case TMsg::SpinRange:
      return L"%s から %s までの値を入力してください。";
    case TMsg::SpinDigitsOnly:
      return L"ここには数字を入力してください。";
    case TMsg::SpinDigitBeforeMinus:
      return L"数字はマイナスより後に入力してください。";
    case TMsg::SpinMinusTwice:
      return L"マイナスは既に入力されています。";
    case TMsg::SpinMinusFirst:
      return L"マイナスは先頭に入力してください。";
    case TMsg::SpinPointTwice:
      return L"小数点は既に入力されています。";
    case TMsg::SpinReadOnly:
      return L"このボックスには入力できません。";
    case TMsg::SpinSelectText:
      return L"文字列を選択してください。";
    case TMsg::SpinNothingToPaste:
      return L"貼り付けできる文字がありません。";
    case TMsg::SpinCannotCut:
      return L"このボックスからは切り取れません。";
    case TMsg::ColorCustom:
      return L"ユーザー定義 (#%.2x%.2x%.2x)...";
    case TMsg::ColorNone: return L"(なし)";
    case TMsg::ColorDefault: return L"(デフォルト)";
    case TMsg::ColorBlack: return L"黒";
    case TMsg::ColorMaroon: return L"茶色";
    case TMsg::ColorGreen: return L"緑色";
    case TMsg::ColorOlive: return L"黄土色";
    case TMsg::ColorNavy: return L"紺色";
    case TMsg::ColorPurple: return L"紫色";
    case TMsg::ColorTeal: return L"青緑色";
    case TMsg::ColorGray: return L"灰色";
    case TMsg::ColorSilver: return L"銀色";
    case TMsg::ColorRed: return L"赤";
    case TMsg::ColorLime: return L"黄緑色";
    case TMsg::ColorYellow: return L"黄色";
    case TMsg::ColorBlue: return L"青";
    case TMsg::ColorFuchsia: return L"赤紫色";
    case TMsg::ColorAqua: return L"水色";
    case TMsg::ColorWhite: return L"白";
    case TMsg::ColorMedGray: return L"明るい灰色";
    case TMsg::ColorMoneyGreen: return L"ミント グリーン";
    case TMsg::ColorSkyBlue: return L"スカイ ブルー";
    case TMsg::ColorCream: return L"クリーム色";
    case TMsg::ColorScrollBar: return L"スクロール バー";
    case TMsg::ColorBackground: return L"デスクトップの背景";
    case TMsg::ColorActiveCaption: return L"アクティブ タイトル バー";
    case TMsg::ColorInactiveCaption: return L"非アクティブ タイトル バー";
    case TMsg::ColorMenu: return L"ポップアップ メニューの背景";
    case TMsg::ColorWindow: return L"ウィンドウの背景";
    case TMsg::ColorWindowFrame: return L"ウィンドウの枠";
    case TMsg::ColorMenuText: return L"メニューの文字";
    case TMsg::ColorWindowText: return L"ウィンドウの文字";
    case TMsg::ColorCaptionText: return L"アクティブ タイトル バーの文字";
    case TMsg::ColorActiveBorder: return L"アクティブ ウィンドウの境界";
    case TMsg::ColorInactiveBorder: return L"非アクティブ ウィンドウの境界";
    case TMsg::ColorAppWorkSpace: return L"アプリケーション作業領域";
    case TMsg::ColorHighlight: return L"選択した項目の背景";
    case TMsg::ColorHighlightText: return L"選択した項目の文字";
    case TMsg::ColorBtnFace: return L"ボタンの表面";
    case TMsg::ColorBtnShadow: return L"ボタンの影";
    case TMsg::ColorGrayText: return L"無効な項目の文字";
    case TMsg::ColorBtnText: return L"ボタンの文字";
    case TMsg::ColorInactiveCaptionText: return L"非アクティブ タイトル バーの文字";
    case TMsg::ColorBtnHighlight: return L"ボタンの最も明るい部分";
    case TMsg::Color3DDkShadow: return L"ボタンの最も暗い影";
    case TMsg::Color3DLight: return L"ボタンの明るい部分";
    case TMsg::ColorInfoText: return L"ヒントの文字";
    case TMsg::ColorInfoBk: return L"ヒントの背景";
    case TMsg::ColorHotLight: return L"リンクの文字";
    case TMsg::ColorGradientActiveCaption: return L"アクティブ タイトル バー (グラデーション)";
    case TMsg::ColorGradientInactiveCaption: return L"非アクティブ タイトル バー (グラデーション)";
    case TMsg::ColorMenuHighlight: return L"選択項目の明るい部分";
    case TMsg::ColorMenuBar: return L"ウィンドウ メニューの背景";
    case TMsg::StartWithoutPlugins:
      return L"プラグインを無効にして TDialix を起動しますか?";
    case TMsg::PluginFault:
      return L"プラグイン '%s' の %s";
  }
  return {};
}

std::wstring FormatText(std::wstring_view pattern, const std::vector<TFormatArg>& args) {
  std::wstring out;
  out.reserve(pattern.size() + 32);
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    size_t j = i + 1;
    if (pattern[j] == L'%') {
      out += L'%';
      i = j;
      continue;
    }
    // Optional width: ".8" or "08" (both pad numbers with zeros).
    int width = 0;
    if (pattern[j] == L'.' || pattern[j] == L'0') ++j;
    while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9') width = width * 10 + (pattern[j++] - L'0');
    if (j >= pattern.size() || (pattern[j] != L'd' && pattern[j] != L's' && pattern[j] != L'x')) {
      out += pattern[i];
      continue;
    }
    const TFormatArg* arg = next < args.size() ? &args[next++] : nullptr;
    if (arg && pattern[j] == L'd' && std::holds_alternative<std::int64_t>(*arg)) {
      const std::int64_t value = std::get<std::int64_t>(*arg);
      std::wstring digits = std::to_wstring(value < 0 ? -value : value);
      if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), L'0');
      if (value < 0) out += L'-';
      out += digits;
    } else if (arg && pattern[j] == L'x' && std::holds_alternative<std::int64_t>(*arg)) {
      // The number's two's complement in 32 bits, as the platform's formatter shows it.
      auto value = static_cast<std::uint32_t>(std::get<std::int64_t>(*arg));
      std::wstring digits;
      do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
      } while (value != 0);
      if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), L'0');
      out += digits;
    } else if (arg && pattern[j] == L's' && std::holds_alternative<std::wstring>(*arg)) {
      out += std::get<std::wstring>(*arg);
    }
    i = j;
  }
  return out;
}

}  // namespace tdialix

#include "texts.h"

#include "config/config_keys.h"

namespace vorlent::tool {
namespace {

std::string Number(std::size_t value) {
    return std::to_string(value);
}

std::string Key(ListRole role) {
    switch (role) {
        case ListRole::kCheckStrings:
            return std::string("\"") + config::kCheckStringKey + '"';
        case ListRole::kIgnorePrefixes:
            return std::string("\"") + config::kIgnoreLinePrefixKey + '"';
        case ListRole::kStopPrefixes:
            return std::string("\"") + config::kIgnoreFromLinePrefixKey + '"';
    }
    return {};
}

constexpr std::string_view kEnglishHelp = R"(Usage: vorlent-check [OPTION]... [MESSAGE]...

Shows what the Vorlent plug-in would do when each MESSAGE is sent: every
warning it would raise, in order, with the check string, the line number and
the line. The check assumes OK is pressed each time; Cancel on any warning
stops the send there. MESSAGE is a file holding the body text, or - for
standard input. Without MESSAGE only the configuration is checked.

A message file may be saved in UTF-16 or UTF-8 (with or without a byte order
mark) or in code page 932 (Shift_JIS): its encoding is detected, and the text
is turned into code page 932 as the mail client hands it to the plug-in. CR LF,
LF and CR each end a line.

The configuration is read with the plug-in's own rules. Its encoding is
decided as the plug-in decides it and named: a file with a UTF-16 or UTF-8
byte order mark, or one that is UTF-8 throughout, is decoded and each item
turned into code page 932; any other file is read as code page 932. The
checker warns, with the line, about what cannot do what was meant: an empty
check string (it warns on every message), an empty ignore prefix (no line is
ever searched), an empty "Ignore From Line Prefix" item (nothing is
searched), an item holding CR LF, an item given twice, a quotation mark left
open, a key given twice, a second or misspelt section, a misspelt key, blanks
outside quotation marks around an item, a full-width or ideographic comma in
an item, a ; in a value, a value wholly in quotation marks, a check string
inside another, and an item left out because code page 932 lacks one of its
characters. It then lists the three sets in the byte order the plug-in holds
them in, and shows the line at which a stop prefix ends the search.

Options:
  --ini FILE            read the configuration from FILE
                        (default: Vorlent.ini beside this program)
  -v, --verbose         also show the lines that an ignore prefix skips, and
                        which prefix
  --message-encoding ENC
                        read message files as ENC: auto (the default), cp932,
                        utf8, utf16le or utf16be
  --exact-line-ends     split message files into lines at CR LF only, as the
                        mail client's body is split; a lone LF or CR stays
                        inside its line
  --output-encoding ENC show texts in cp932 or utf8; by default UTF-8 when the
                        terminal uses UTF-8
  --lang ja|en          the language of these texts (default: the user's)
  --version             show the version
  -h, --help, /?        show this help

Texts are compared as bytes in code page 932, as the plug-in sees them. A
warning marked "straddles two characters" or "inside one character" is found
only from the second byte of a double-byte character on: the plug-in warns,
but no such text stands in the line.

Double-clicked, or with message files dropped onto it, the program checks
Vorlent.ini beside itself and keeps its window open until Enter is pressed.

Exit status: with message files, 0 when no warning would be raised, 1 when
one would; without message files, 0 when the configuration draws no warning,
1 when it does; 2 on a usage error or when a file could not be read (the
other files are still checked).
)";

constexpr std::string_view kJapaneseHelp =
    R"(使い方: vorlent-check [オプション]... [本文ファイル]...

本文ファイルを送信したときに Vorlent プラグインが何をするかを、送信せずに
表示します。出る確認を順に、確認する文字列、行番号、その行とともに示します。
確認にはすべて OK で答えたものとして進めます。どれかでキャンセルすると、
送信はそこで中止されます。本文ファイルの代わりに - を指定すると標準入力から
読みます。本文ファイルを指定しないときは、設定だけを確認します。

本文ファイルは UTF-16、UTF-8 (BOM の有無を問いません)、Shift_JIS
(コードページ 932) のどれで保存されていてもかまいません。文字コードを判別し、
メールソフトがプラグインに渡すのと同じくコードページ 932 に変換してから
確認します。改行は CR LF、LF、CR のどれでも行の区切りになります。

設定はプラグインと同じ規則で読み込みます。文字コードもプラグインと同じく
判別して表示します: UTF-16 や UTF-8 の BOM があるファイルと、全体が UTF-8 の
ファイルは、項目ごとにコードページ 932 に変換します。それ以外のファイルは
コードページ 932 として読みます。意図どおりに働かない書き方には、行番号を
付けて警告を出します: 空の確認文字列 (どのメールでも確認が出ます)、空の無視
する行頭 (どの行も検索されません)、空の "Ignore From Line Prefix" (何も検索
されません)、CR LF を含む項目、重複した項目、閉じていない引用符、2 回書かれた
キー、2 つ目のセクションや書き間違えたセクション名・キー名、項目の前後の引用符
の外の空白、項目の中の全角コンマや読点、値の中の ;、値全体を囲む引用符、別の
確認文字列に含まれる確認文字列、コードページ 932 にない文字を含むため使われ
ない項目。そのあと、3 つの一覧をプラグインが保持するバイト順で示し、検索を
打ち切る行頭で検索が終わる行も示します。

オプション:
  --ini ファイル        設定をこのファイルから読みます
                        (既定: このプログラムと同じフォルダーの Vorlent.ini)
  -v, --verbose         無視する行頭のために検索されない行と、その行頭も
                        表示します
  --message-encoding 文字コード
                        本文ファイルの文字コードを指定します: auto (既定)、
                        cp932、utf8、utf16le、utf16be
  --exact-line-ends     本文ファイルを CR LF だけで行に分けます (メールソフト
                        が渡す本文と同じ分け方です)。単独の LF や CR は行の
                        中の文字になります
  --output-encoding 文字コード
                        表示の文字コード: cp932 か utf8 (既定: 端末が UTF-8
                        なら UTF-8)
  --lang ja|en          表示の言語 (既定: ユーザーの言語)
  --version             バージョンを表示します
  -h, --help, /?        このヘルプを表示します

文字列はプラグインと同じく、コードページ 932 のバイト列として比べます。
「2 文字にまたがる一致」「1 文字の中での一致」と示された確認は、2 バイト文字
の 2 バイト目から一致したものです。プラグインは確認を出しますが、その文字列
が行に書かれているわけではありません。

このプログラムをダブルクリックするか、本文ファイルをドロップすると、同じ
フォルダーの Vorlent.ini で確認し、Enter キーを押すまでウィンドウを開いた
ままにします。

終了コード: 本文ファイルを指定したときは 0 確認は出ない、1 確認が出る。
設定だけを確認したときは 0 警告なし、1 警告あり。どちらでも 2 はオプションの
誤り、または読めないファイルがあった (ほかのファイルの確認は続けます)。
)";

}  // namespace

std::string_view Texts::Help() const {
    return japanese_ ? kJapaneseHelp : kEnglishHelp;
}

std::string Texts::Version(std::string_view version) const {
    return "vorlent-check " + std::string(version);
}

std::string Texts::Option(const OptionError& error) const {
    switch (error.problem) {
        case OptionProblem::kUnknown:
            return japanese_ ? "不明なオプションです: " + error.option + " (--help を参照)"
                             : "unknown option '" + error.option + "' (see --help)";
        case OptionProblem::kNeedsValue:
            return japanese_ ? error.option + " には値を指定してください"
                             : error.option + " needs a value";
        case OptionProblem::kBadValue:
            return japanese_
                       ? error.option + " に指定できるのは " + error.allowed + " です (" +
                             error.value + " は指定できません)"
                       : error.option + " takes " + error.allowed + ", not '" + error.value + "'";
    }
    return {};
}

std::string Texts::File(FileProblem problem, std::string_view path) const {
    const std::string file(path);
    switch (problem) {
        case FileProblem::kMissing:
            return file + (japanese_ ? ": ファイルが見つかりません" : ": no such file");
        case FileProblem::kFolder:
            return file +
                   (japanese_ ? ": ファイルではなくフォルダーです" : ": is a folder, not a file");
        case FileProblem::kCannotOpen:
            return file + (japanese_ ? ": 開けません" : ": cannot be opened");
        case FileProblem::kCannotRead:
            return file + (japanese_ ? ": 読み込めません" : ": cannot be read");
        case FileProblem::kPathNotAnsi:
            return file + (japanese_ ? ": パスに ANSI コードページにない文字が含まれているため、"
                                       "プラグインもこのファイルを読めません"
                                     : ": the path holds characters that the ANSI code page "
                                       "lacks, so the plug-in could not read this file either");
    }
    return file;
}

std::string Texts::NoProgramFolder() const {
    return japanese_ ? "このプログラムのフォルダーがわかりません。--ini で INI "
                       "ファイルを指定してください"
                     : "cannot tell this program's folder: name the INI file with --ini";
}

std::string Texts::StandardInputName() const {
    return japanese_ ? "<標準入力>" : "<stdin>";
}

std::string Texts::Warning(std::string_view file, std::size_t line, std::string_view text) const {
    std::string where(file);
    if (line != 0) {
        where += ":" + Number(line);
    }
    return where + (japanese_ ? ": 警告: " : ": warning: ") + std::string(text);
}

std::string Texts::Configuration(std::string_view path) const {
    return (japanese_ ? "設定ファイル: " : "configuration: ") + std::string(path);
}

std::string Texts::ConfigurationEncoding(std::string_view encoding) const {
    return (japanese_ ? "設定ファイルの文字コード: " : "configuration encoding: ") +
           std::string(encoding);
}

std::string Texts::ListHeading(ListRole role, std::size_t count) const {
    static constexpr std::string_view kEnglish[] = {"check strings", "ignore prefixes",
                                                    "stop prefixes"};
    static constexpr std::string_view kJapanese[] = {"確認する文字列", "無視する行頭",
                                                     "検索を打ち切る行頭"};
    const std::string name(japanese_ ? kJapanese[static_cast<int>(role)]
                                     : kEnglish[static_cast<int>(role)]);
    if (count == 0) {
        return name + (japanese_ ? ": なし" : ": none");
    }
    return japanese_ ? name + " (" + Number(count) + " 個、プラグインが保持するバイト順):"
                     : name + " (" + Number(count) + ", in the byte order the plug-in keeps):";
}

std::string Texts::EmptyItem(ListRole role, std::size_t item) const {
    if (japanese_) {
        const char* why = "";
        switch (role) {
            case ListRole::kCheckStrings:
                why =
                    "空の文字列はどのメールでも最初に検索する行で見つかるため、送信のたびに確認が"
                    "出ます";
                break;
            case ListRole::kIgnorePrefixes:
                why = "空の行頭はどの行にも当てはまるため、どの行も検索されません";
                break;
            case ListRole::kStopPrefixes:
                why = "空の行頭は最初の行に当てはまって検索を打ち切るため、何も検索されません";
                break;
        }
        return Key(role) + " の " + Number(item) + " 番目の項目が空です。" + why;
    }
    const char* why = "";
    switch (role) {
        case ListRole::kCheckStrings:
            why =
                " is empty: it is found in the first searched line of every message, so every "
                "send prompts";
            break;
        case ListRole::kIgnorePrefixes:
            why = " is empty: every line begins with it, so no line is ever searched";
            break;
        case ListRole::kStopPrefixes:
            why =
                " is empty: the first line begins with it and ends the search, so nothing is "
                "ever searched";
            break;
    }
    return Key(role) + " item " + Number(item) + why;
}

std::string Texts::ItemHoldsCrLf(ListRole role, std::size_t item, std::string_view shown) const {
    const bool checks = role == ListRole::kCheckStrings;
    if (japanese_) {
        return Key(role) + " の " + Number(item) + " 番目の項目" + std::string(shown) +
               "に CR LF が含まれています。本文は CR LF で行に分かれるため、" +
               (checks ? "この文字列は見つかりません" : "この行頭で始まる行はありません");
    }
    return Key(role) + " item " + Number(item) + " " + std::string(shown) +
           " holds CR LF: " + (checks ? "it is never found" : "no line begins with it") +
           ", since the body is split into lines at CR LF";
}

std::string Texts::ItemRepeats(ListRole role, std::size_t item, std::string_view shown,
                               std::size_t sameAs) const {
    if (japanese_) {
        return Key(role) + " の " + Number(item) + " 番目の項目" + std::string(shown) + "は " +
               Number(sameAs) + " 番目と同じです。1 つとして扱われます";
    }
    return Key(role) + " item " + Number(item) + " " + std::string(shown) + " repeats item " +
           Number(sameAs) + ": the set keeps it once";
}

std::string Texts::QuoteLeftOpen(ListRole role) const {
    if (japanese_) {
        return Key(role) +
               " の値で引用符 (\") が閉じていません。値の残りは、コンマも含めて最後の項目に"
               "なります";
    }
    return Key(role) +
           " leaves a quotation mark open: the rest of the value, commas included, belongs to "
           "its last item";
}

std::string Texts::LineEndsNote(bool exact) const {
    if (exact) {
        return japanese_ ? "改行: CR LF だけを行の区切りにします (--exact-line-ends)。"
                           "単独の LF や CR は行の中の文字になります"
                         : "line ends: only CR LF ends a line (--exact-line-ends); a lone LF or "
                           "CR stays inside its line";
    }
    return japanese_ ? "改行: 本文ファイルの CR LF、LF、CR をどれも行の区切りにします "
                       "(メールソフトは本文を CR LF で渡します。CR LF だけで区切るには "
                       "--exact-line-ends を指定します)"
                     : "line ends: CR LF, LF and CR each end a line of a message file, as the "
                       "mail client hands the body over with CR LF (--exact-line-ends splits "
                       "at CR LF only)";
}

std::string Texts::EncodingName(text::TextEncoding encoding) const {
    if (japanese_ && encoding == text::TextEncoding::kUtf8WithBom) {
        return "BOM 付き UTF-8";
    }
    if (japanese_ && encoding == text::TextEncoding::kAnsi) {
        return "Shift_JIS (コードページ 932)";
    }
    return std::string(text::TextEncodingName(encoding));
}

std::string Texts::MessageEncodingNote(std::string_view name, std::string_view encoding) const {
    if (japanese_) {
        return std::string(name) + ": " + std::string(encoding) +
               " として読み、コードページ 932 に変換して確認します";
    }
    return std::string(name) + ": read as " + std::string(encoding) +
           " and checked in code page 932";
}

std::string Texts::MissingCharacter(std::string_view character, std::string_view codePoint) const {
    if (japanese_) {
        return "「" + std::string(character) + "」(" + std::string(codePoint) +
               ") はコードページ 932 にない文字です。「?」に置き換えて確認します";
    }
    return "\"" + std::string(character) + "\" (" + std::string(codePoint) +
           ") is not in code page 932: it is checked as \"?\"";
}

std::string Texts::Prompt(std::string_view name, std::size_t line, std::string_view item,
                          MatchPlacement placement, std::string_view shownLine) const {
    std::string mark;
    if (placement == MatchPlacement::kStraddles) {
        mark = japanese_ ? " (2 文字にまたがる一致: この文字列は行に書かれていません)"
                         : " (straddles two characters: no such text stands in the line)";
    } else if (placement == MatchPlacement::kInsideCharacter) {
        mark = japanese_ ? " (1 文字の中での一致: この文字列は行に書かれていません)"
                         : " (inside one character: no such text stands in the line)";
    }
    const std::string where = std::string(name) + ":" + Number(line) + ": ";
    if (japanese_) {
        return where + Quote(item) + "の確認が出ます" + mark + ": " + std::string(shownLine);
    }
    return where + "prompt " + Quote(item) + mark + ": " + std::string(shownLine);
}

std::string Texts::Skipped(std::string_view name, std::size_t line, std::string_view prefix,
                           std::string_view shownLine) const {
    const std::string where = std::string(name) + ":" + Number(line) + ": ";
    if (japanese_) {
        return where + "検索しない行 (無視する行頭" + Quote(prefix) +
               "で始まる): " + std::string(shownLine);
    }
    return where + "skipped, begins with ignore prefix " + Quote(prefix) + ": " +
           std::string(shownLine);
}

std::string Texts::SearchEnds(std::string_view name, std::size_t line, std::string_view prefix,
                              std::string_view shownLine) const {
    const std::string where = std::string(name) + ":" + Number(line) + ": ";
    if (japanese_) {
        return where + "ここで検索を打ち切ります (検索を打ち切る行頭" + Quote(prefix) +
               "で始まる): " + std::string(shownLine);
    }
    return where + "the search ends here, begins with stop prefix " + Quote(prefix) + ": " +
           std::string(shownLine);
}

std::string Texts::NotSearched(std::string_view name, std::size_t line,
                               std::string_view shownLine) const {
    const std::string where = std::string(name) + ":" + Number(line) + ": ";
    return where +
           (japanese_ ? "検索しない行 (打ち切った後): " : "not searched, after the stop: ") +
           std::string(shownLine);
}

std::string Texts::Verdict(std::string_view name, std::size_t prompts) const {
    const std::string file(name);
    if (prompts == 0) {
        return file + (japanese_ ? ": 確認は出ません。このまま送信されます"
                                 : ": no prompt, the message would be sent");
    }
    if (japanese_) {
        return file + ": 確認が " + Number(prompts) +
               " 回出ます。どれかでキャンセルすると送信は中止されます";
    }
    return file + ": " + Number(prompts) + (prompts == 1 ? " prompt" : " prompts") +
           "; Cancel on any of them stops the send";
}

std::string Texts::PressEnter() const {
    return japanese_ ? "Enter キーを押すとウィンドウを閉じます。"
                     : "Press Enter to close this window.";
}

std::string Texts::Quote(std::string_view shown) const {
    return japanese_ ? "「" + std::string(shown) + "」" : "\"" + std::string(shown) + "\"";
}

}  // namespace vorlent::tool

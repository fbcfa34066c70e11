#pragma once
// The small tools of the Information menu: reports on memory and screen,
// the plain text editor, and the documents and addresses opened by the
// desktop.

#include <QSize>
#include <QString>
#include <QUrl>

namespace kelvane {

inline constexpr char kReleaseVersionText[] = "ネムリカ\r\nRelease Version 20140624A";

// "現在のメモリーは" CR LF "Free n / Total n Bytes", physical memory in bytes.
[[nodiscard]] QString MemoryReportText();
[[nodiscard]] QString MemoryReportText(quint64 freeBytes, quint64 totalBytes);

// "現在の画面解像度は" CR LF "1920×1080".
[[nodiscard]] QString ScreenResolutionText(const QSize& screen);

// The desktop's plain text editor: the first of the usual editors found on
// the search path, or empty when there is none.
[[nodiscard]] QString FindTextEditor();

// Starts the editor as a separate process that is not watched. Returns
// false when no editor could be started.
bool StartTextEditor();
inline constexpr char kNoTextEditorText[] =
    "テキストを開くプログラム（テキストエディタ）が見つかりません。";

// The delivered manual and stamp-duty table, in the program folder.
[[nodiscard]] QString ManualPath();
[[nodiscard]] QString TaxTablePath();

// Until the project has public addresses the support mail opens a new mail
// with the subject "ネムリカ" and no recipient, and the web item opens the
// manual.
[[nodiscard]] QUrl SupportMailUrl();
// Hands the support mail to the desktop's mail program; false when there is
// none to take it.
bool OpenSupportMail();
inline constexpr char kNoMailProgramText[] = "メールを開くプログラムが見つかりません。";
inline constexpr char kSupportMailCaption[] = "問い合わせメールを送る（宛先なしの新規メール）";
inline constexpr char kWebPageCaption[] = "ホームページへアクセスする（取扱説明書を開きます）";

// Opens a local file with the desktop's program for it. A missing file and
// a missing program are told apart, so that the user is told which.
enum class DocumentOpening { Opened, FileMissing, NoProgram };
DocumentOpening OpenLocalDocument(const QString& path);
// What to say when the document `what` (取扱説明書, …) at `path` did not
// open; empty when it did.
[[nodiscard]] QString NotOpenedText(DocumentOpening result, const QString& what,
                                    const QString& path);

}  // namespace kelvane

#include "window/ui/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

#include "window/ui/internal/dialog_script_state.h"
#include "window/qt/ui/focus_return.h"
#include "window/qt/ui/registry.h"

namespace window::ui {

namespace {

QString g_lastFolder;

// The extension a single pattern such as "*.txt" gives; none for "*.*",
// "*" or several patterns.
QString ExtensionOfPatterns(const std::wstring& patterns) {
    const QString text = qt::ToQString(patterns).trimmed();
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char(' '))) return {};
    if (!text.startsWith(QStringLiteral("*.")) || text.size() <= 2) return {};
    const QString extension = text.mid(2);
    if (extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?'))) return {};
    return extension;
}

// The dialog shows only the description (HideNameFilterDetails drops the
// last parenthesised part), so it reads as the caller wrote it.
QString NameFilterOf(const FileFilter& filter) {
    QString patterns = qt::ToQString(filter.patterns);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return qt::ToQString(filter.description) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

QWidget* OwnerWindow(HWND owner) {
    QWidget* widget = qt::WidgetOf(owner);
    return widget ? widget->window() : nullptr;
}

}  // namespace

std::optional<SaveFileResult> GetSaveFileName(const SaveFileRequest& request) {
    if (std::optional<SaveFileResult> answer; testing::AnswerSave(request, answer)) return answer;

    const qt::FocusReturn focusReturn(OwnerWindow(request.owner));
    QFileDialog dialog(OwnerWindow(request.owner), qt::ToQString(request.title));
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);

    QStringList nameFilters;
    for (const FileFilter& filter : request.filters) nameFilters << NameFilterOf(filter);
    const int filterCount = static_cast<int>(nameFilters.size());
    int selected = 0;
    if (filterCount > 0) {
        dialog.setNameFilters(nameFilters);
        selected = (request.filterIndex >= 1 && request.filterIndex <= filterCount) ? request.filterIndex - 1 : 0;
        dialog.selectNameFilter(nameFilters.at(selected));
    }

    QString folder = qt::ToQString(request.initialFolder);
    QString name = qt::ToQString(request.fileName);
    const QFileInfo proposed(name);
    if (proposed.isAbsolute()) {
        folder = proposed.absolutePath();
        name = proposed.fileName();
    }
    if (folder.isEmpty()) folder = g_lastFolder.isEmpty() ? QDir::homePath() : g_lastFolder;
    dialog.setDirectory(folder);
    dialog.selectFile(name);

    const auto suffixFor = [&](int index) {
        if (!request.defaultExtension.empty()) {
            QString extension = qt::ToQString(request.defaultExtension);
            if (extension.startsWith(QLatin1Char('.'))) extension.remove(0, 1);
            return extension;
        }
        if (index < 0 || index >= filterCount) return QString();
        return ExtensionOfPatterns(request.filters[static_cast<std::size_t>(index)].patterns);
    };
    dialog.setDefaultSuffix(suffixFor(selected));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixFor(static_cast<int>(nameFilters.indexOf(filter)))); });

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    const QFileInfo chosen(path);
    g_lastFolder = chosen.absolutePath();
    SaveFileResult result;
    result.path = qt::ToWString(path);
    result.title = qt::ToWString(chosen.fileName());
    const int index = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter()));
    result.filterIndex = index >= 0 ? index + 1 : request.filterIndex;
    return result;
}

namespace {

constexpr UINT kButtonsMask = 0x0000000F;
constexpr UINT kIconMask = 0x000000F0;
constexpr UINT kAbortRetryIgnore = 0x00000002;
constexpr UINT kYesNoCancel = 0x00000003;
constexpr UINT kRetryCancel = 0x00000005;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;

QMessageBox::StandardButtons ButtonsOf(UINT type) {
    switch (type & kButtonsMask) {
        case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
        case kAbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
        case kRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
        default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & kIconMask) {
        case MB_ICONERROR: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONEXCLAMATION: return QMessageBox::Warning;
        case MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

int ResultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return IDCANCEL;
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Abort: return kIdAbort;
        case QMessageBox::Retry: return kIdRetry;
        case QMessageBox::Ignore: return kIdIgnore;
        default: return IDOK;
    }
}

}  // namespace

int MessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
    if (int answer = IDOK; testing::AnswerMessageBox(owner, text, caption, type, answer)) return answer;
    const qt::FocusReturn focusReturn(OwnerWindow(owner));
    QMessageBox box(IconOf(type), qt::ToQString(caption), qt::ToQString(text), ButtonsOf(type), OwnerWindow(owner));
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    return ResultOf(box.exec());
}

bool OpenUrl(std::wstring_view address) {
    if (testing::AnswerOpenUrl(address)) return true;
    const QUrl url = QUrl::fromUserInput(qt::ToQString(address));
    return url.isValid() && QDesktopServices::openUrl(url);
}

void SetWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void RestoreCursor() {
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

}  // namespace window::ui

// The message box, the open-file dialog and the clipboard, all on the main thread.
#include "platform/qt/qt_backend.h"

#include "platform/ui.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>

#include <string_view>

namespace dg {
namespace {

constexpr int OkButton = 1;

bool IsValidFileName(const std::string& name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\"\\/:*?<>|").find(c) != std::string_view::npos)
            return false;
    return true;
}

// "description|filter|..." as Qt's filters, "description (patterns)". Windows' "*.*" matches
// every name; on this system it would miss those without a dot.
QStringList NameFilters(const std::string& pattern) {
    const QStringList parts = QString::fromStdString(pattern).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& each : patterns) {
            each = each.trimmed();
            if (each == "*.*")
                each = "*";
        }
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

} // namespace

int ShowMessage(const std::string& title, const std::string& text, int flags) {
    (void)flags;
    int result = 0;
    qt::RunOnMain([&] {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                        QString::fromStdString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        result = OkButton;
    });
    return result;
}

std::string ChooseFileToOpen(const std::string& title, const std::string& initialPath,
                             const std::string& pattern, int patternIndex) {
    std::string result;
    qt::RunOnMain([&] {
        QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title));
        // Qt's own dialog: the same on every desktop, and modal to the whole program.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // The file need not exist; its folder must.
        dialog.setFileMode(QFileDialog::AnyFile);
        const QStringList filters = NameFilters(pattern);
        dialog.setNameFilters(filters);
        if (patternIndex >= 0 && patternIndex < filters.size())
            dialog.selectNameFilter(filters[patternIndex]);
        const auto slash = initialPath.rfind('/');
        const std::string name =
            slash == std::string::npos ? initialPath : initialPath.substr(slash + 1);
        if (slash != std::string::npos)
            dialog.setDirectory(QString::fromStdString(initialPath.substr(0, slash + 1)));
        if (IsValidFileName(name))
            dialog.selectFile(QString::fromStdString(name));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            result = dialog.selectedFiles().first().toStdString();
    });
    return result;
}

std::string GetClipboardText() {
    std::string text;
    qt::RunOnMain([&] { text = QGuiApplication::clipboard()->text().toStdString(); });
    return text;
}

} // namespace dg

#include "platform/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QApplication>

#include <cstdlib>

#include "platform/ui/qt/registry.h"

namespace platform::ui {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool DisplayAvailable() { return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

Application::Application(int& argc, char** argv, std::wstring_view name) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName(qt::ToQString(name));
    qt::EnsureToolkitSettings();
}

Application::~Application() = default;

void Application::UseLanguage(std::string_view language) {
    const QString name = QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size()));
    QLocale::setDefault(QLocale(name));
    // Owned by the application object, which outlives every window.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(name), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

int Application::Run() { return QApplication::exec(); }

void Application::Quit(int exitCode) { QCoreApplication::exit(exitCode); }

void Application::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace platform::ui

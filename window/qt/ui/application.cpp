#include "window/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "window/qt/ui/registry.h"
#include "window/qt/ui/window_list.h"

namespace window::ui {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// While the toolkit connects to the display, its messages are held back: a
// failure to connect ends in a fatal message, which becomes one plain line
// naming the first complaint; after a good start the held messages go out
// as they would have.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

struct StartMessages {
    QtMessageHandler previous = nullptr;
    std::string program;
    std::vector<HeldMessage> held;
};

std::unique_ptr<StartMessages> starting;

std::string FirstLine(const QString& text) { return text.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString(); }

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        starting->held.push_back({type, context.category ? context.category : "", text});
        return;
    }
    std::string reason = FirstLine(text);
    for (const HeldMessage& message : starting->held) {
        if (message.type == QtWarningMsg || message.type == QtCriticalMsg) {
            reason = FirstLine(message.text);
            break;
        }
    }
    std::fprintf(stderr, "%s: cannot open a window: %s\n", starting->program.c_str(), reason.c_str());
    std::fflush(stderr);
    std::_Exit(kExitNoDisplay);
}

std::string ProgramName(int argc, char** argv) {
    if (argc < 1 || !argv[0]) return "veltrix";
    const std::string path = argv[0];
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

bool DisplayAvailable() { return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

struct Application::Impl {
    Impl(int& argc, char** argv) : app(Connect(argc, argv), argv) {}

    // Runs in the constructor's initialiser, so the handler is in place
    // exactly while the toolkit connects.
    static int& Connect(int& argc, char** argv) {
        starting = std::make_unique<StartMessages>();
        starting->program = ProgramName(argc, argv);
        starting->previous = qInstallMessageHandler(HoldStartMessage);
        return argc;
    }
    QApplication app;
};

Application::Application(int& argc, char** argv, std::wstring_view name) : impl_(std::make_unique<Impl>(argc, argv)) {
    const std::unique_ptr<StartMessages> done = std::move(starting);
    qInstallMessageHandler(done->previous);
    for (const HeldMessage& message : done->held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    QApplication::setApplicationName(qt::ToQString(name));
    qt::EnsureToolkitSettings();
    qt::WatchForWindowList();
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

}  // namespace window::ui

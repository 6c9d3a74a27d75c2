// The random-event soak: the real window, offscreen, driven by a seeded stream of random input,
// with the arm, the controls and the picture checked after every event.
//
//   armdraw_soak [--seed N] [--events N] [--near-limits | --opposite-limits] [--verbose]
//
// SOAK_SEED and SOAK_EVENTS stand in for the options; without a seed a random one is drawn.
// A failure prints the seed and the event index; the same seed with --events up to that index
// replays the run exactly.
#include "soakapplication.h"
#include "soakdriver.h"
#include "soakmodel.h"
#include "windowharness.h"

#include <QCommandLineParser>
#include <QElapsedTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <unistd.h>

namespace {

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer reports crashes itself, with the stack; a handler here would silence it.
void installCrashReport(const SoakDriver &) { }
#else
// For the crash report: which event was on its way when the process died.
const SoakDriver *crashDriver = nullptr;

void writeNumber(long long value)
{
    char digits[24];
    int length = 0;
    do {
        digits[sizeof digits - 1 - length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && length < static_cast<int>(sizeof digits));
    [[maybe_unused]] const auto written
        = ::write(STDERR_FILENO, digits + sizeof digits - length, static_cast<size_t>(length));
}

void reportCrash(int signal)
{
    // Only async-signal-safe calls here; the default action then ends the process as before.
    const char before[] = "\nsoak: CRASHED at event ";
    [[maybe_unused]] auto written = ::write(STDERR_FILENO, before, sizeof before - 1);
    writeNumber(crashDriver ? crashDriver->eventsSent() : 0);
    const char middle[] = "; replay: the seed and options above, --events up to here, --verbose\n";
    written = ::write(STDERR_FILENO, middle, sizeof middle - 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void installCrashReport(const SoakDriver &driver)
{
    crashDriver = &driver;
    for (const int signal : { SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT }) {
        std::signal(signal, reportCrash);
    }
}
#endif

uint64_t optionOrEnvironment(const QCommandLineParser &parser, const QString &option,
    const char *variable, uint64_t fallback)
{
    QString text = parser.value(option);
    if (text.isEmpty()) {
        text = qEnvironmentVariable(variable);
    }
    if (text.isEmpty()) {
        return fallback;
    }
    bool ok = false;
    const uint64_t value = text.toULongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "soak: --%s (or %s) must be a whole number, not \"%s\"\n",
            qPrintable(option), variable, qPrintable(text));
        std::exit(2);
    }
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    SoakApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random-event soak of the armdraw window."));
    parser.addHelpOption();
    parser.addOption({ QStringLiteral("seed"), QStringLiteral("Seed of the event stream."),
        QStringLiteral("n") });
    parser.addOption({ QStringLiteral("events"), QStringLiteral("Input events to send (100000)."),
        QStringLiteral("n") });
    parser.addOption({ QStringLiteral("near-limits"),
        QStringLiteral("Start with both angles near one 32-bit limit.") });
    parser.addOption({ QStringLiteral("opposite-limits"),
        QStringLiteral(
            "Start with segment 1 near one 32-bit limit and segment 2 near the other.") });
    parser.addOption({ QStringLiteral("verbose"), QStringLiteral("Print every event.") });
    parser.process(app);

    const uint64_t seed
        = optionOrEnvironment(parser, QStringLiteral("seed"), "SOAK_SEED", std::random_device {}());
    const auto events = static_cast<int64_t>(
        optionOrEnvironment(parser, QStringLiteral("events"), "SOAK_EVENTS", 100000));
    QString mode;
    if (parser.isSet(QStringLiteral("near-limits"))) {
        mode = QStringLiteral(" --near-limits");
    } else if (parser.isSet(QStringLiteral("opposite-limits"))) {
        mode = QStringLiteral(" --opposite-limits");
    }
    std::printf("soak: seed %llu, %lld events%s\n", static_cast<unsigned long long>(seed),
        static_cast<long long>(events), qPrintable(mode));
    std::fflush(stdout);

    WindowHarness harness([&app](const std::string &message) { app.recordFatal(message); });
    SoakModel model(harness);
    SoakDriver driver(harness, model, seed);
    driver.setVerbose(parser.isSet(QStringLiteral("verbose")));
    installCrashReport(driver);

    QString failure = app.takeError();
    if (failure.isEmpty()) {
        failure = model.verify();
    }
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "soak: the window after start-up is not as expected: %s\n",
            qPrintable(failure));
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    if (!mode.isEmpty()) {
        driver.startNearLimits(parser.isSet(QStringLiteral("opposite-limits")));
    }
    driver.run(events);
    QCoreApplication::processEvents();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    failure = driver.failure();
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "soak: FAILED at event %lld of seed %llu: %s\n",
            static_cast<long long>(driver.eventsSent()), static_cast<unsigned long long>(seed),
            qPrintable(failure));
        std::fprintf(stderr, "soak: the last actions:\n");
        for (const QString &action : driver.recentActions()) {
            std::fprintf(stderr, "    %s\n", qPrintable(action));
        }
        std::fprintf(stderr, "soak: replay with: %s --seed %llu --events %lld%s --verbose\n",
            argv[0], static_cast<unsigned long long>(seed),
            static_cast<long long>(driver.eventsSent()), qPrintable(mode));
        return 1;
    }
    if (!mode.isEmpty()) {
        std::printf(
            "soak: an angle was brought back into the 32-bit range %d times\n", model.angleFits());
    }
    std::printf("soak: passed, %lld events in %.1f s: %.0f events per second\n",
        static_cast<long long>(driver.eventsSent()), seconds,
        static_cast<double>(driver.eventsSent()) / seconds);
    return 0;
}

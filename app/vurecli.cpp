#include "app/vurecli.h"

#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "link/usbserialportlist.h"
#include "link/wserialconnection.h"
#include "panel/axisparametercatalogue.h"
#include "panel/commandscript.h"
#include "panel/scriptexport.h"
#include "panel/settingsfile.h"
#include "panel/storerestore.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace {

constexpr std::uint8_t StatusOk = 100;
constexpr std::uint8_t CommandSet = 5;
constexpr std::uint8_t CommandGet = 6;

std::atomic<bool> interrupted{false};

void onInterrupt(int)
{
    interrupted = true;
}

QString hexOf(const zeva::Frame& frame)
{
    QStringList bytes;
    for (std::uint8_t byte : frame)
        bytes << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return bytes.join(QLatin1Char(' '));
}

void print(std::FILE* stream, const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stream);
}

} // namespace

VureCli::VureCli() = default;

VureCli::~VureCli() = default;

int VureCli::usage(const QString& message)
{
    print(stderr, QStringLiteral("vure-cli: %1 (try vure-cli --help)").arg(message));
    return BadInput;
}

int VureCli::fail(ExitCode code, const QString& message)
{
    print(stderr, QStringLiteral("vure-cli: ") + message);
    return code;
}

int VureCli::parameterNumber(const QString& text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number <= 255 ? number : -1;
    const auto* entry = AxisParameterCatalogue::findByName(qPrintable(text));
    return entry ? entry->number : -1;
}

bool VureCli::connectModule()
{
    if (portName.isEmpty()) {
        const QStringList usb = UsbSerialPortList::entries();
        if (usb.isEmpty()) {
            fail(NoAnswer, QStringLiteral("no USB module found; name its port with --port"));
            return false;
        }
        portName = UsbSerialPortList::portNameOf(usb.first());
    }
    // Checked first so that the reason reaches the user in one line.
    const QString problem = SerialUSBDevice::openProblem(portName);
    if (!problem.isEmpty()) {
        fail(NoAnswer, QStringLiteral("cannot open %1: %2").arg(portName, problem));
        return false;
    }
    handler = std::make_unique<SerialUSBCommandHandler>();
    auto* device = new SerialUSBDevice(portName);
    if (baudrate > 0)
        device->setBaudRate(baudrate);
    handler->setDevice(device);
    handler->open();
    return handler->isDeviceOpen();
}

int VureCli::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The module from the command line.\n\n"
        "Commands:\n"
        "  ports                          list the USB and serial ports\n"
        "  get TYPE...                    read parameters (number 0..255 or a name such as "
        "MaxRampVelocity)\n"
        "  set TYPE VALUE                 write a parameter\n"
        "  send COMMAND TYPE BANK VALUE   one raw request\n"
        "  store | restore                store or restore all parameters on the module\n"
        "  export-ini FILE | import-ini FILE | export-script FILE\n"
        "  run-script FILE [--dry-run]    apply a command script\n"
        "  trace [--types T,...] [--delay MS] [--count N] [--csv FILE]"));
    parser.addHelpOption();
    const QCommandLineOption port(
        QStringLiteral("port"), QStringLiteral("The module's port (default: the first USB port)."),
        QStringLiteral("name"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("A serial line at <rate> bits per second."),
                                  QStringLiteral("rate"));
    const QCommandLineOption bank(QStringLiteral("bank"),
                                  QStringLiteral("Motor/bank for get and set (default 0)."),
                                  QStringLiteral("number"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Diagnostic lines on standard error."));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("run-script: print the frames, send nothing."));
    const QCommandLineOption types(QStringLiteral("types"),
                                   QStringLiteral("trace: the parameters to poll."),
                                   QStringLiteral("list"), QStringLiteral("3,13,1,0,155,150,156"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("trace: milliseconds between polls."),
                                   QStringLiteral("ms"), QStringLiteral("200"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("trace: stop after N polls (default: Ctrl-C)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("trace: write the rows to FILE."),
                                 QStringLiteral("file"));
    parser.addOptions({port, baud, bank, verbose, dryRun, types, delay, count, csv});
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, parser.helpText());
        return Done;
    }
    if (!parser.isSet(verbose))
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    else
        qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { print(stderr, text); });

    portName = parser.value(port);
    bool ok = true;
    if (parser.isSet(baud)) {
        baudrate = parser.value(baud).toInt(&ok);
        if (!ok || baudrate <= 0)
            return usage(QStringLiteral("--baud needs a positive rate"));
    }
    if (parser.isSet(bank)) {
        motorBank = parser.value(bank).toInt(&ok);
        if (!ok || motorBank < 0 || motorBank > 255)
            return usage(QStringLiteral("--bank needs a number from 0 to 255"));
    }

    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString command = words.takeFirst();
    const bool tracing = command == QLatin1String("trace");
    for (const QCommandLineOption* option : {&types, &delay, &count, &csv})
        if (parser.isSet(*option) && !tracing)
            return usage(QStringLiteral("--%1 belongs to trace").arg(option->names().first()));
    if (parser.isSet(dryRun) && command != QLatin1String("run-script"))
        return usage(QStringLiteral("--dry-run belongs to run-script"));

    auto expect = [&](int n) { return words.size() == n; };
    if (command == QLatin1String("ports"))
        return expect(0) ? ports() : usage(QStringLiteral("ports takes no arguments"));
    if (command == QLatin1String("get"))
        return words.isEmpty() ? usage(QStringLiteral("get needs at least one TYPE")) : get(words);
    if (command == QLatin1String("set"))
        return expect(2) ? set(words[0], words[1]) : usage(QStringLiteral("set needs TYPE VALUE"));
    if (command == QLatin1String("send"))
        return expect(4) ? send(words)
                         : usage(QStringLiteral("send needs COMMAND TYPE BANK VALUE"));
    if (command == QLatin1String("store") || command == QLatin1String("restore"))
        return expect(0) ? storeOrRestore(command == QLatin1String("restore"))
                         : usage(command + QStringLiteral(" takes no arguments"));
    if (command == QLatin1String("export-ini"))
        return expect(1) ? fileOperation(SettingsFile::exportTo, words[0],
                                         QStringLiteral("could not write "))
                         : usage(QStringLiteral("export-ini needs FILE"));
    if (command == QLatin1String("import-ini")) {
        if (!expect(1))
            return usage(QStringLiteral("import-ini needs FILE"));
        if (!QFile::exists(words[0]))
            return usage(QStringLiteral("no such file: ") + words[0]);
        return fileOperation(SettingsFile::importFrom, words[0],
                             QStringLiteral("no settings to import in "));
    }
    if (command == QLatin1String("export-script"))
        return expect(1) ? fileOperation(ScriptExport::exportTo, words[0],
                                         QStringLiteral("could not write "))
                         : usage(QStringLiteral("export-script needs FILE"));
    if (command == QLatin1String("run-script"))
        return expect(1) ? runScript(words[0], parser.isSet(dryRun))
                         : usage(QStringLiteral("run-script needs FILE"));
    if (tracing)
        return expect(0) ? trace(parser.value(types), parser.value(delay), parser.value(count),
                                 parser.value(csv))
                         : usage(QStringLiteral("trace takes options only"));
    return usage(QStringLiteral("unknown command: ") + command);
}

int VureCli::ports()
{
    print(stdout, QStringLiteral("USB:"));
    for (const QString& entry : UsbSerialPortList::entries())
        print(stdout, QStringLiteral("  ") + entry);
    print(stdout, QStringLiteral("Serial:"));
    for (const QString& entry : WSerialConnection::probePorts(QStringLiteral("/dev")))
        print(stdout, QStringLiteral("  ") + entry);
    return Done;
}

int VureCli::get(const QStringList& types)
{
    QList<int> numbers;
    for (const QString& type : types) {
        numbers << parameterNumber(type);
        if (numbers.last() < 0)
            return usage(QStringLiteral("not a parameter: ") + type);
    }
    if (!connectModule())
        return NoAnswer;
    for (int i = 0; i < types.size(); ++i) {
        handler->sendRequest(
            ZEVARequest(1, CommandGet, std::uint8_t(numbers[i]), std::uint8_t(motorBank), 0));
        const auto reply = handler->receiveReply();
        if (!reply)
            return fail(NoAnswer, QStringLiteral("no answer reading ") + types[i]);
        if (reply->status() != StatusOk)
            return fail(NoAnswer, QStringLiteral("reading %1 refused with status %2")
                                      .arg(types[i])
                                      .arg(reply->status()));
        print(stdout, QStringLiteral("%1 %2").arg(types[i]).arg(reply->value()));
    }
    return Done;
}

int VureCli::set(const QString& type, const QString& valueText)
{
    const int number = parameterNumber(type);
    if (number < 0)
        return usage(QStringLiteral("not a parameter: ") + type);
    bool ok = false;
    const int value = valueText.toInt(&ok);
    if (!ok)
        return usage(QStringLiteral("not a 32-bit integer: ") + valueText);
    if (!connectModule())
        return NoAnswer;
    handler->sendRequest(
        ZEVARequest(1, CommandSet, std::uint8_t(number), std::uint8_t(motorBank), value));
    const auto reply = handler->receiveReply();
    if (!reply)
        return fail(NoAnswer, QStringLiteral("no answer writing ") + type);
    if (reply->status() != StatusOk)
        return fail(
            NoAnswer,
            QStringLiteral("writing %1 refused with status %2").arg(type).arg(reply->status()));
    print(stdout, QStringLiteral("%1 %2").arg(type).arg(reply->value()));
    return Done;
}

int VureCli::send(const QStringList& fields)
{
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = fields[i].toInt(&ok);
        if (!ok || numbers[i] < 0 || numbers[i] > 255)
            return usage(QStringLiteral("not a number from 0 to 255: ") + fields[i]);
    }
    bool ok = false;
    const int value = fields[3].toInt(&ok);
    if (!ok)
        return usage(QStringLiteral("not a 32-bit integer: ") + fields[3]);
    if (!connectModule())
        return NoAnswer;
    handler->sendRequest(ZEVARequest(1, std::uint8_t(numbers[0]), std::uint8_t(numbers[1]),
                                     std::uint8_t(numbers[2]), value));
    const auto reply = handler->receiveReply();
    if (!reply)
        return fail(NoAnswer, QStringLiteral("no answer"));
    print(stdout, QStringLiteral("command %1 status %2 value %3")
                      .arg(reply->command())
                      .arg(reply->status())
                      .arg(reply->value()));
    return Done;
}

int VureCli::storeOrRestore(bool restoring)
{
    if (!connectModule())
        return NoAnswer;
    const bool showProgress = ::isatty(STDERR_FILENO);
    const char* what = restoring ? "restore" : "store";
    auto progress = [&](int done) {
        if (showProgress)
            std::fprintf(stderr, "\r%s: %d/%d", what, done, StoreRestore::Steps);
        return !interrupted;
    };
    std::signal(SIGINT, onInterrupt);
    const int steps = restoring ? StoreRestore::restore(*handler, progress)
                                : StoreRestore::store(*handler, progress);
    if (showProgress)
        std::fputs("\n", stderr);
    if (!handler->isDeviceOpen())
        return fail(NoAnswer, QStringLiteral("the module stopped answering"));
    if (steps < StoreRestore::Steps)
        return fail(NoAnswer,
                    QStringLiteral("%1 interrupted after %2 parameters").arg(what).arg(steps));
    return Done;
}

int VureCli::fileOperation(FileOperation operation, const QString& path, const QString& failure)
{
    if (!connectModule())
        return NoAnswer;
    if (!operation(*handler, path))
        return fail(BadInput, failure + path);
    if (!handler->isDeviceOpen())
        return fail(NoAnswer, QStringLiteral("the module stopped answering"));
    return Done;
}

int VureCli::runScript(const QString& path, bool dryRun)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return usage(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    CommandScript::Problem problem;
    // The whole file is checked before anything is sent.
    const auto commands = CommandScript::parse(file.readAll(), &problem);
    if (!commands)
        return fail(BadInput, QStringLiteral("%1:%2: not a SAP or STAP command: %3")
                                  .arg(path)
                                  .arg(problem.line)
                                  .arg(problem.text));
    if (dryRun) {
        for (const auto& c : *commands)
            print(stdout, hexOf(ZEVARequest(1, c.command, c.type, c.motorBank, c.value).toWire()));
        return Done;
    }
    if (!connectModule())
        return NoAnswer;
    for (const auto& c : *commands) {
        handler->sendRequest(ZEVARequest(1, c.command, c.type, c.motorBank, c.value));
        const auto reply = handler->receiveReply();
        if (!reply)
            return fail(NoAnswer, QStringLiteral("%1:%2: no answer").arg(path).arg(c.line));
        if (reply->status() != StatusOk)
            return fail(NoAnswer, QStringLiteral("%1:%2: refused with status %3")
                                      .arg(path)
                                      .arg(c.line)
                                      .arg(reply->status()));
    }
    return Done;
}

int VureCli::trace(const QString& typesText, const QString& delayText, const QString& countText,
                   const QString& csvPath)
{
    QList<int> numbers;
    QStringList header{QStringLiteral("ms")};
    for (const QString& type : typesText.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int number = parameterNumber(type.trimmed());
        if (number < 0)
            return usage(QStringLiteral("not a parameter: ") + type);
        numbers << number;
        const auto* entry = AxisParameterCatalogue::find(number);
        header << (entry ? QString::fromLatin1(entry->name) : QStringLiteral("type%1").arg(number));
    }
    bool ok = false;
    const int delayMs = delayText.toInt(&ok);
    if (!ok || delayMs < 1 || numbers.isEmpty())
        return usage(QStringLiteral("trace needs --types and a --delay of at least 1 ms"));
    const int ticks = countText.toInt(&ok);
    if (!ok || ticks < 0)
        return usage(QStringLiteral("--count needs a number"));

    QFile out;
    if (csvPath.isEmpty()) {
        if (!out.open(stdout, QIODevice::WriteOnly))
            return fail(BadInput, QStringLiteral("cannot write to standard output"));
    } else {
        out.setFileName(csvPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(BadInput,
                        QStringLiteral("cannot write %1: %2").arg(csvPath, out.errorString()));
    }
    if (!connectModule())
        return NoAnswer;
    std::signal(SIGINT, onInterrupt);
    out.write((header.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8());
    out.flush();

    QElapsedTimer clock;
    clock.start();
    for (int tick = 0; (ticks == 0 || tick < ticks) && !interrupted; ++tick) {
        const qint64 due = qint64(tick) * delayMs;
        while (clock.elapsed() < due && !interrupted)
            QThread::msleep(ulong(qMin<qint64>(due - clock.elapsed(), 50)));
        if (interrupted)
            break;
        QStringList row{QString::number(clock.elapsed())};
        for (int number : numbers) {
            handler->sendRequest(ZEVARequest(1, CommandGet, std::uint8_t(number), 0, 0));
            const auto reply = handler->receiveReply();
            if (!reply) {
                out.flush();
                return fail(NoAnswer, QStringLiteral("no answer while tracing"));
            }
            row << QString::number(reply->value());
        }
        out.write((row.join(QLatin1Char(',')) + QLatin1Char('\n')).toUtf8());
        out.flush();
    }
    return Done;
}

#include "panel/commandscript.h"

#include <QRegularExpression>

namespace {

constexpr std::uint8_t CommandSet = 5;
constexpr std::uint8_t CommandStore = 7;

bool byte(const QString& text, std::uint8_t* out)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 255)
        return false;
    *out = std::uint8_t(value);
    return true;
}

} // namespace

std::optional<QList<CommandScript::Command>> CommandScript::parse(const QByteArray& text,
                                                                  Problem* problem)
{
    static const QRegularExpression sap(
        QStringLiteral("^SAP\\s+(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(-?\\d+)\\s*(//.*)?$"));
    static const QRegularExpression stap(
        QStringLiteral("^STAP\\s+(\\d+)\\s*,\\s*(\\d+)\\s*(//.*)?$"));

    QList<Command> commands;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("//")))
            continue;
        Command command{i + 1, 0, 0, 0, 0};
        bool ok = false;
        if (const auto m = sap.match(line); m.hasMatch()) {
            command.command = CommandSet;
            const qlonglong value = m.captured(3).toLongLong(&ok);
            ok = ok && value >= INT32_MIN && value <= INT32_MAX &&
                 byte(m.captured(1), &command.type) && byte(m.captured(2), &command.motorBank);
            command.value = std::int32_t(value);
        } else if (const auto m = stap.match(line); m.hasMatch()) {
            command.command = CommandStore;
            ok = byte(m.captured(1), &command.type) && byte(m.captured(2), &command.motorBank);
        }
        if (!ok) {
            if (problem)
                *problem = {i + 1, line};
            return std::nullopt;
        }
        commands.append(command);
    }
    return commands;
}

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reads a command script of the kind the script export writes: SAP lines (write a parameter)
// and STAP lines (store it); comments, blank lines and the group headers carry nothing.
class CommandScript
{
public:
    struct Command
    {
        int line;             // 1-based line number in the file
        std::uint8_t command; // 5 (SAP) or 7 (STAP)
        std::uint8_t type;
        std::uint8_t motorBank;
        std::int32_t value; // 0 for STAP
    };

    struct Problem
    {
        int line = 0; // 1-based
        QString text; // the offending line, trimmed
    };

    // The commands in file order, or none with the first offending line in problem.
    static std::optional<QList<Command>> parse(const QByteArray& text, Problem* problem);
};
